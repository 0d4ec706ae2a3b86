#pragma once

#include "app/custom_light_routes.h"
#include "app/device_manager.h"
#include "app/gun_panel_routes.h"
#include "app/headset_audio_routes.h"
#include "app/input_capture.h"
#include "app/key_panel_routes.h"
#include "app/keyboard_system_routes.h"
#include "app/light_panel_routes.h"
#include "app/macro_panel_routes.h"
#include "app/macro_recording_routes.h"
#include "app/mouse_page_routes.h"
#include "app/profile_device_adapter.h"
#include "app/profile_panel_routing.h"
#include "app/write_failure_notice.h"
#include "base/application.h"
#include "base/clock.h"
#include "base/worker.h"
#include "platform/hid_backend.h"
#include "ui/toolkit/notification_router.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <functional>
#include <memory>
#include <string_view>

namespace morva::app {

// What the main window's core asks of the program around it (the entry point and the
// front-end). Every member may be empty.
struct MainWindowCallbacks {
    // Posts the announce message to all applications (initialisation: wParam 1, lParam 1).
    std::function<void(int64_t wParam, int64_t lParam)> announce;
    // Reads the stored language choice and applies it.
    std::function<void()> applyLanguage;
    // Closes the settings and about windows when they are open.
    std::function<void()> closeSettingsAndAbout;
    // Ends a running macro recording as "macro_btn_stopredio" does.
    std::function<void()> endRecording;
    // The scan thread's first enumerating pass has ended (its instance message).
    std::function<void()> firstScanPassDone;
    // Puts the window up at the end of initialisation; empty: shows it.
    std::function<void()> showWindow;
    // Opens the desktop's keyboard (0) or mouse (1) settings; runs on the control-panel thread.
    // Empty: openDesktopInputSettings.
    std::function<void(int which)> openInputSettings;
    // The skinned message box; empty: the host's native box with the language text.
    profiles::PanelMessageBox messageBox;
    // Told when the edit lock switches the key-assignment panel's edit buttons, and when the
    // lighting panel's synchronisation option shows.
    std::function<void(device::CKestraneUSBDevice&, bool enabled)> setKeyEditButtonsEnabled;
    std::function<void(device::CKestraneUSBDevice&, bool visible)> showSynchronisationOption;
};

struct MainWindowConfig {
    // Where the devices are found; null: the default HID backend.
    platform::HidBackend* backend = nullptr;
    // The clock of the scan thread and the command channels; null: the real clock.
    Clock* clock = nullptr;
    // Whether initialisation starts the scan thread (a harness may send the attach and removal
    // messages itself instead).
    bool scanDevices = true;
    // The supported models; null: the models shipped with the program. Must outlive the window.
    const hid::DeviceModelCatalog* models = nullptr;
    // The front-end's capture of keys and mouse buttons for macro recording and key capture;
    // null: recording takes nothing. Must outlive the window.
    InputCapture* inputCapture = nullptr;
};

// The core of the program's main window, without any GUI library: the window model built from
// "XML_MAIN", the control-creation callback, the device manager, and the routing of the
// notifications and messages it owns. The front-end draws the window and adds its own routes
// (title bar, tray, settings) to router().
//
//     Toolkit toolkit(loop, host);                 // resources and language loaded
//     CMainWnd main(toolkit, callbacks, config);   // before any skin is built
//     main.router().on(...);                       // the front-end's own routes
//     if (!main.Create()) { ... }                  // "windowinit" then initialises on the loop
//     ... run the loop; the platform's destroy message (kMsgDestroy) stops the workers ...
class CMainWnd {
public:
    static constexpr std::string_view kWindowClass = "MainWnd";
    static constexpr std::string_view kTitle = kApplicationTitle;

    CMainWnd(ui::Toolkit& toolkit, MainWindowCallbacks callbacks = {},
             MainWindowConfig config = {});
    ~CMainWnd();
    CMainWnd(const CMainWnd&) = delete;
    CMainWnd& operator=(const CMainWnd&) = delete;

    // Creates the window and builds "XML_MAIN"; the window's "windowinit" then runs
    // Initialise on the loop. False when the skin cannot be built.
    bool Create();
    // The device manager's start: announce, language, pages and tabs, show, scan thread. Runs
    // once. (The display adjustment that follows is the window chrome's: its timer 1011.)
    void Initialise();
    bool initialised() const { return initialised_; }
    // Tells the user what loading the profiles found (a list made anew, a profile repaired).
    void ShowProfileNotices();
    // Window destruction: hides the window, ends the scan thread, the devices' workers and the
    // control-panel thread with the bounded wait each.
    void StopWorkers();

    // The control-creation callback of the skin files (tags compared without case).
    std::unique_ptr<ui::Control> CreateControl(std::string_view tag);

    ui::Window& window() { return window_; }
    DeviceManager& devices() { return devices_; }
    ui::NotificationRouter& router() { return router_; }
    ui::Toolkit& toolkit() { return toolkit_; }
    // Primary screen size stored at initialisation (written with the device settings).
    ui::Size screenSize() const { return screen_; }
    // The key-assignment panel's event handling.
    KeyPanelRoutes& keyRoutes() { return keyRoutes_; }
    // Macro recording and the input hook.
    MacroRecordingRoutes& recordingRoutes() { return recordingRoutes_; }
    // The profile panel's event handling; null before Create.
    profiles::ProfilePanelRoutes* profileRoutes() const { return profileRoutes_.get(); }

private:
    void RegisterFactoryClasses();
    void RegisterRoutes();
    void OnTabOptionSelected(const ui::Notification& n);
    void OnFunctionTab(int kind);
    void OnDefaultButton();
    void OnInputSettings(int which);
    void SetKeyEditButtonsEnabled(device::CKestraneUSBDevice& device, bool enabled);
    int ShowMessage(std::string_view textKey, ui::MessageBoxButtons buttons);
    profiles::CDeviceProfileUI* CurrentProfilePanel() const;

    ui::Toolkit& toolkit_;
    MainWindowCallbacks callbacks_;
    platform::HidBackend& backend_;
    Clock& clock_;
    bool scanDevices_;
    ui::Window window_;
    ui::NotificationRouter router_;
    WriteFailureNotice writeFailureNotice_{window_};
    DeviceManager devices_;
    ProfileDeviceAdapter profileDevice_;
    LightPanelRoutes lightRoutes_;
    KeyPanelRoutes keyRoutes_;
    MacroPanelRoutes macroRoutes_;
    MacroRecordingRoutes recordingRoutes_;
    KeyboardSystemRoutes keyboardSystemRoutes_;
    CustomLightRoutes customLightRoutes_;
    MousePageRoutes mousePageRoutes_;
    HeadsetAudioRoutes headsetAudioRoutes_;
    GunPanelRoutes gunPanelRoutes_;
    std::shared_ptr<profiles::ProfilePanelRoutes> profileRoutes_;
    Worker controlPanelThread_{"ControlPanelThread"};
    ui::Size screen_;
    bool initialised_ = false;
};

} // namespace morva::app
