#pragma once

#include "base/event_loop.h"
#include "profiles/list/profile_activation_debounce.h"
#include "profiles/list/profile_list_result.h"
#include "profiles/panel/device_profile_ui.h"
#include "profiles/panel/profile_panel_device.h"
#include "ui/toolkit/host.h"
#include "ui/toolkit/notification.h"
#include "ui/toolkit/notification_router.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace morva::profiles {

// The file filter of the profile import and export dialogs.
inline constexpr char kProfileFileFilter[] = "Profile Files(*.json)";

// A message box the profile panel asks for: a language key (or, with textIsKey false, a finished
// text) and its buttons.
struct PanelMessage {
    std::string text;
    bool textIsKey = true;
    ui::MessageBoxButtons buttons = ui::MessageBoxButtons::Ok;
};
// Shows the box modally over the owner; 1 when the user confirmed, 0 otherwise. The main window
// passes its skinned message box; without one the host's native box shows the text of the key.
using PanelMessageBox = std::function<int(ui::Window* owner, const PanelMessage& message)>;
// A short notice that does not wait for the user ("Profile copied").
using PanelNotice = std::function<void(const std::string& text)>;

// What the main window does with the profile panel's events: the panel of the current device
// runs the operation, file dialogs and message boxes go through the host, and a profile chosen in
// the combo is written to the current device through the activation timer (only the last choice
// within 400 ms is activated).
class ProfilePanelRoutes {
public:
    using PanelSource = std::function<CDeviceProfileUI*()>;
    using DeviceSource = std::function<ProfilePanelDevice*()>;

    ProfilePanelRoutes(PanelSource currentPanel, DeviceSource currentDevice, ui::Host& host,
                       EventLoop& loop, PanelMessageBox messageBox = {});

    // The notification type and control name of each event, with its handler.
    struct Route {
        std::string_view type;
        std::string_view controlName;
        void (ProfilePanelRoutes::*handler)(const ui::Notification&);
    };
    static std::span<const Route> routes();

    void onAdd(const ui::Notification&);
    void onDelete(const ui::Notification&);
    void onCopy(const ui::Notification&);
    void onImport(const ui::Notification&);
    void onExport(const ui::Notification&);
    void onRename(const ui::Notification&);
    void onReset(const ui::Notification&);
    void onMenuToggle(const ui::Notification&);
    // "itemselect" of the combo: wParam is the chosen index.
    void onProfileChosen(const ui::Notification& notification);

    // Tells the user what they should know about the profiles (a list rebuilt at start).
    void showNotice(ProfileNotice notice);

    // Tells the user what writing the macros came to: nothing for 0, "message_text_7" for -1,
    // "message_text_16" with the number of events that did not fit otherwise. The key panel's
    // write to the device reports through this too.
    void reportMacroWrite(int writeMacrosResult);

    // Where the short notices of finished operations go; without it they are only traced.
    void setNotice(PanelNotice notice) { notice_ = std::move(notice); }

    // Drops an activation still waiting (the current device went away or changed).
    void cancelPendingActivation() { activation_.cancel(); }
    bool activationPending() const { return activation_.isPending(); }

private:
    // Activates the current panel's selected profile on the current device once the delay ran
    // out; a newer choice replaces it.
    void scheduleActivation();
    // Hands the panel's selected profile to the current device and writes it whole.
    void activateNow(ProfileWriteReason reason);
    // Tells the user why an operation failed, when the status has a message, and what else they
    // should know of it; activates the new selection when another program moved it.
    void report(const ProfileResult& result);
    int showMessage(const PanelMessage& message);
    // A finished operation's notice: the language text of the key, then `detail` if any.
    void tellDone(std::string_view key, const std::string& detail = {});
    // The panel's name box shows the selected profile's name again.
    void restoreName(CDeviceProfileUI& panel);
    std::string languageText(std::string_view key) const;
    ui::Window* ownerWindow() const;
    CDeviceProfileUI* panelNow() const;
    ProfilePanelDevice* deviceNow() const;

    PanelSource currentPanel_;
    DeviceSource currentDevice_;
    ui::Host& host_;
    PanelMessageBox messageBox_;
    PanelNotice notice_;
    ProfileActivationDebounce activation_;
};

} // namespace morva::profiles
