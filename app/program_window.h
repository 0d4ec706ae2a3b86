#pragma once

#include "app/about_window.h"
#include "app/language_apply.h"
#include "app/language_config.h"
#include "app/light_control.h"
#include "app/main_window.h"
#include "app/main_window_chrome.h"
#include "app/settings_window.h"
#include "app/shell_messages.h"
#include "app/skin_choice.h"
#include "app/skin_settings.h"
#include "app/skin_window.h"
#include "platform/ipc_message.h"
#include "platform/settings_store.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace morva::app {

// What the program window needs from the program around it.
struct ProgramWindowConfig {
    std::filesystem::path programFolder;
    // The desktop's locale, which chooses the language until the user does ("en_US.UTF-8").
    std::string desktopLocale;
    platform::SettingsStore* settings = nullptr; // the stored language choice; required
    SkinSettings* skinSettings = nullptr;        // "main.ini"; required
    MainWindowConfig devices;                    // where the devices are found, the clock, the scan
    // Tells the other programs of the user (the announce message); empty: sendAnnounce.
    LightControl::Announce announce;
    // After every applied language (the front-end repaints).
    std::function<void()> languageChanged;
    // Ends the program's loop (the tray menu's "exit").
    std::function<void()> quit;
    // Starts in the tray (minimised where there is none) and stays there after the first scan.
    bool startHidden = false;
};

// The program's main window, whole: the core (device manager, routing of the device bar and the
// profile panel) joined with the window's chrome (title bar, tray, display adjustment, power),
// the light control, the language, and the shell's own windows (settings, about, skin). No GUI
// library: the front-end draws the toolkit and implements the WindowSystem.
class ProgramWindow {
public:
    ProgramWindow(ui::Toolkit& toolkit, WindowSystem& system, ProgramWindowConfig config);
    ~ProgramWindow();
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;

    // Builds "XML_MAIN", puts up the tray icon, restores the recorded background and centres
    // the window; "windowinit" then starts the devices and shows it. False when the skin cannot
    // be built.
    bool create();

    // Ends the program as the tray menu's Exit does: the windows go, then the loop.
    void exit();
    // A message from another process of the user (instance, forward, light control).
    void onShellMessage(const platform::Message& message);
    // The desktop's power signal: true before the system sleeps, false when it has woken.
    void onPowerEvent(bool suspending);

    CMainWnd& core() { return core_; }
    ui::Window& window() { return core_.window(); }
    MainWindowChrome& chrome() { return chrome_; }
    const LightControl& lightControl() const { return lightControl_; }
    int currentLanguage() const { return languages_.currentIndex(); }
    bool settingsOpen() const { return settingsWindow_ && settingsWindow_->isOpen(); }
    // Null until the settings window is first opened.
    CSettingsWnd* settingsWindow() { return settingsWindow_.get(); }
    bool skinWindowOpen() const { return skinFrame_ && skinFrame_->isOpen(); }

private:
    MainWindowCallbacks coreCallbacks();
    ChromeHooks chromeHooks();
    void registerShellRoutes();
    void onLightControl(int32_t value);
    void openSettings();
    void openAbout();
    void openSkinWindow();
    void closeSecondaryWindows();
    void onLanguageChanged();
    int showMessage(ui::Window* owner, const profiles::PanelMessage& message);

    ui::Toolkit& toolkit_;
    WindowSystem& system_;
    ProgramWindowConfig config_;
    LightControl lightControl_;
    ShellMessageRouter shellRouter_;
    ToolkitLanguageTarget languageTarget_;
    LanguageSelector languages_;
    SkinChooser skinChooser_;
    std::unique_ptr<CSkinFrame> skinFrame_;
    std::unique_ptr<CSettingsWnd> settingsWindow_;
    CAboutWnd* aboutWindow_ = nullptr;
    // The core before the chrome: the chrome's routes go onto the core's router, and the chrome
    // guards the messages that wait while the system sleeps before the core adds its routes.
    CMainWnd core_;
    MainWindowChrome chrome_;
};

} // namespace morva::app
