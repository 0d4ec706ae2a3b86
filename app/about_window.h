#pragma once

#include "app/main_window_chrome.h"
#include "base/window_messages.h"
#include "ui/toolkit/window.h"

#include <memory>
#include <string>

namespace morva::app {

inline constexpr const char* kSoftwareVersion = "V0.1.0.0";

// The about window (class "AboutWnd", skin "XML_ABOUT"): the program's version under the
// translated "software_rev_text".
class CAboutWnd {
public:
    CAboutWnd(ui::Toolkit& toolkit, WindowSystem& system,
              std::string versionText = kSoftwareVersion);

    // Builds the window over the owner; false when its skin cannot be built.
    bool create(ui::Window* owner);
    // Runs it modally; returns the close code.
    int showModal();
    ui::Window& window() { return *window_; }
    // "software_ver_label": the language's "software_rev_text" followed by the version.
    void refreshVersionLabel();

private:
    void onNotify(const ui::Notification& n);

    ui::Toolkit& toolkit_;
    WindowSystem& system_;
    std::string versionText_;
    std::unique_ptr<ui::Window> window_;
};

} // namespace morva::app
