#pragma once

#include "app/macro_target.h"
#include "ui/toolkit/host.h"
#include "ui/toolkit/notification_router.h"

#include <functional>
#include <string_view>

namespace morva::ui {
class Toolkit;
}

namespace morva::app {

// The macro panel's events on the main window's router: the macro list (choose, add, delete,
// rename, import, export), the event list (save, undo, move, delete, insert mouse buttons and
// movements) and its menu. What involves other parts of the program is done here: the key
// assignments of a deleted macro, the key-assignment panel's macro choices, the message boxes and
// the file dialogs.
class MacroPanelRoutes {
public:
    struct Hooks {
        CurrentDeviceSource currentDevice;
        // Shows the message box with a language text: 1 confirmed.
        std::function<int(std::string_view textKey, ui::MessageBoxButtons)> showMessage;
        // Writes the macros and the key table to the device and saves the profile, as the
        // key-assignment panel's write button does.
        std::function<void()> writeKeysAndMacros;
    };

    MacroPanelRoutes(Hooks hooks, ui::Toolkit& toolkit, ui::Window& window)
        : hooks_(std::move(hooks)), toolkit_(toolkit), window_(window) {}

    void registerOn(ui::NotificationRouter& router);

private:
    MacroTarget current() const { return currentMacroTarget(hooks_.currentDevice); }
    int ask(std::string_view textKey, ui::MessageBoxButtons buttons) const;
    // The device's macro names changed: the key captions follow the list file.
    static void macrosChanged(const MacroTarget& target);
    void AddMacro();
    void DeleteMacro();
    void RenameMacro();
    void ImportMacro();
    void ExportMacro();
    void ShowEventMenu();
    void InsertMouseEvent(std::string_view item);

    Hooks hooks_;
    ui::Toolkit& toolkit_;
    ui::Window& window_;
};

} // namespace morva::app
