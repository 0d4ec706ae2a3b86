#pragma once

#include "ui/toolkit/host.h"
#include "ui/toolkit/notification_router.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace morva::device {
class CKestraneUSBDevice;
class CKestraneMouseDevice;
} // namespace morva::device
namespace morva::macros {
class CShootControlUI;
}

namespace morva::app {

// The gun-key panel of a mouse page on the main window's router: choosing a gun and a bullet,
// the direction checks' captions, saving a bullet when one of its fields loses the focus, reset
// (after the user confirms), import and export of the selected gun's file, and the save button,
// which sends the four gun files to the mouse.
class GunPanelRoutes {
public:
    static constexpr std::string_view kConfirmResetKey = "shoot_reset_confirm_text";

    struct Hooks {
        std::function<device::CKestraneUSBDevice*()> currentDevice;
        // The main window's open or save dialog; nothing when the user cancelled.
        std::function<std::optional<std::string>(const ui::FileDialogRequest&)> chooseFile;
        // Asks with OK and Cancel; true when the user confirmed.
        std::function<bool(std::string_view textKey)> confirm;
    };

    explicit GunPanelRoutes(Hooks hooks) : hooks_(std::move(hooks)) {}

    void registerOn(ui::NotificationRouter& router);

private:
    struct Target {
        device::CKestraneMouseDevice* mouse = nullptr;
        macros::CShootControlUI* panel = nullptr;
        explicit operator bool() const { return panel != nullptr; }
    };
    Target current() const;
    std::optional<std::string> chooseFile(bool save) const;
    void ResetGun();
    // Asks for a file of gun keys and hands the path to the panel (import, export).
    void
    UseChosenFile(bool save,
                  const std::function<void(macros::CShootControlUI&, const std::string&)>& use);

    Hooks hooks_;
};

} // namespace morva::app
