#pragma once

#include "ui/toolkit/notification_router.h"

#include <functional>
#include <string_view>

namespace morva::device {
class CKestraneUSBDevice;
class KeyAssignments;
} // namespace morva::device
namespace morva::keyassign {
class CKeySetControlUI;
}

namespace morva::app {

// The key-assignment panel's events on the main window's router: selecting a key of the current
// device's page, every choice and field of the panel (each applied to the key list at once), the
// default, cancel, save and write buttons, and the key field's capture of a pressed key.
class KeyPanelRoutes {
public:
    struct Hooks {
        std::function<device::CKestraneUSBDevice*()> currentDevice;
        // Shows the message box with a language text.
        std::function<void(std::string_view textKey)> showMessage;
        // Tells the user what writing the macros came to (0, -1 or the excess count).
        std::function<void(int writeMacrosResult)> reportMacroWrite;
        // The main window's edit lock, without the device bar.
        std::function<void(bool released)> setEditLock;
        // Key capture on (true) or off, while the key field has the focus.
        std::function<void(bool on)> keyCapture;
    };

    explicit KeyPanelRoutes(Hooks hooks) : hooks_(std::move(hooks)) {}

    void registerOn(ui::NotificationRouter& router);

    // A key pressed while capture is on, as its key catalogue entry.
    void OnCapturedKey(size_t catalogueEntry);
    bool capturing() const { return capturing_; }
    // The write button: the macros, then (when they fit) the key table go to the current device,
    // and its profile is saved.
    void WriteToDevice();

private:
    struct Target {
        device::CKestraneUSBDevice* device = nullptr;
        device::KeyAssignments* keys = nullptr;
        keyassign::CKeySetControlUI* panel = nullptr;
        explicit operator bool() const { return panel != nullptr; }
    };
    Target current() const;
    void SelectKey(int position);
    // Builds the record from the panel, stores it at the selected key, hands the list to the
    // profile and refreshes the captions; the edit buttons come on.
    void ApplyKeyAssignment();
    void SetCapture(bool on);

    Hooks hooks_;
    bool capturing_ = false;
};

} // namespace morva::app
