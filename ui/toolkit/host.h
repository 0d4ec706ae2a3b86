#pragma once

#include "ui/toolkit/geometry.h"

#include <optional>
#include <string>
#include <string_view>

namespace morva::ui {

class Window;

struct FileDialogRequest {
    bool save = false;
    std::string title;
    // The filter text as the caller gives it, e.g. "Profile Files(*.json)".
    std::string filter;
    std::string defaultName;
    std::string folder;
};

enum class MessageBoxButtons { Ok, OkCancel };

// What the front-end provides to the model: modal runs, native dialogs and facts about the
// screen. The GUI implements it with real windows; tests use ScriptedHost.
class Host {
public:
    virtual ~Host() = default;

    // Shows the window modally and returns when it has been closed, with its close code.
    virtual int runModal(Window& window) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> fileDialog(Window* owner,
                                                  const FileDialogRequest& request) = 0;
    // A native message box for when no skin box can be shown: 1 confirmed, 0 otherwise.
    virtual int messageBox(Window* owner, std::string_view title, std::string_view text,
                           MessageBoxButtons buttons) = 0;
    // Size of the screen (of the primary monitor) in pixels.
    virtual Size screenSize() const = 0;
    virtual Point cursorPos() const = 0;
};

} // namespace morva::ui
