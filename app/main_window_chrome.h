#pragma once

#include "base/window_messages.h"
#include "ui/toolkit/geometry.h"
#include "ui/toolkit/notification_router.h"
#include "ui/toolkit/window.h"

#include <cstdint>
#include <functional>
#include <initializer_list>

namespace morva::app {

// What the main window needs from the desktop beyond the toolkit's model: the window states
// the model does not keep (minimised, maximised), bringing a window to the front, whether a
// tray exists, and the monitor the window is on. The front-end implements it.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    virtual void minimise(ui::Window& window) = 0;
    virtual void maximise(ui::Window& window) = 0;
    virtual void restore(ui::Window& window) = 0;
    virtual bool minimised(const ui::Window& window) const = 0;
    virtual bool maximised(const ui::Window& window) const = 0;
    // Shows, restores and raises the window above the others and gives it the focus.
    virtual void bringToFront(ui::Window& window) = 0;
    virtual bool trayAvailable() const = 0;
    // Size in pixels of the monitor nearest to the window.
    virtual ui::Size monitorSize(const ui::Window& window) const = 0;
};

// What the chrome calls out for; the device manager and the main window's other parts fill
// these in. Unset callbacks are skipped.
struct ChromeHooks {
    // Light output of every keyboard, mouse and mouse-pad device (0 while suspended).
    std::function<void(int32_t)> setLightOutput;
    std::function<void(int32_t)> setPreviewActive;
    // The light-control value to restore on resume; 1 when unset.
    std::function<int32_t()> lightControlValue;
    // Shows the no-device notice exactly while no device tab is visible.
    std::function<void()> updateNoDeviceNotice;
    // Closes the settings and about windows if they are open.
    std::function<void()> closeSecondaryWindows;
    std::function<void()> openAbout;
    std::function<void()> openSettings;
    // Ends the program (the tray menu's "exit").
    std::function<void()> exit;
    // The system has woken: what was announced while it slept was not handled.
    std::function<void()> resumed;
};

inline constexpr int kTrayIconResource = 107;
inline constexpr int kTimerDisplayAdjust = 1011;
inline constexpr int kTimerTrayMenu = 1032;

// The main window as a window: title-bar buttons, tray icon and its menu, timers 1011 and 1032,
// the display adjustment, suspend and resume, and the preview-activity flags. Everything is
// registered as routes on the router, which must be attached to the window.
class MainWindowChrome {
public:
    MainWindowChrome(ui::Window& window, ui::NotificationRouter& router, WindowSystem& system,
                     ChromeHooks hooks);

    // The window's initialisation: the tray icon (icon 107, tool tip "QT4410-VIGOR MORVA",
    // callback 0x0401) and the display adjustment 100 ms later (timer 1011).
    void initialise();

    // While suspended these messages are answered with 0 without reaching other routes. Call
    // before the routes of those messages are added. The private messages of the main window
    // are guarded from the start.
    void guardWhileSuspended(std::initializer_list<uint32_t> ids);
    bool suspended() const { return suspended_; }

    // The instance message: the no-device notice follows the device tabs; the window comes back
    // and to the front.
    void onInstanceMessage();
    // "closebtn" and the platform's close: to the tray when there is one, else minimised.
    void hideToTrayOrMinimise();
    // The window at start: shown, or when `hidden` left in the tray (minimised without one).
    void showAtStart(bool hidden);
    void nameNoDeviceButton();
    void adjustDisplay();

    // The hooks can be filled in after construction (the device manager comes later).
    ChromeHooks& hooks() { return hooks_; }

    int32_t windowActive() const { return windowActive_; }
    int32_t pointerOverWindow() const { return pointerOver_; }
    bool displayChanged() const { return displayChanged_; }

private:
    void registerRoutes();
    // Whether a tray icon is there to bring a hidden window back.
    bool trayHoldsTheWindow() const;
    void onTrayCallback(int64_t mouseMessage);
    void showTrayMenu();
    void onMenuChosen(const ui::WindowMessage& message);
    void onPower(int64_t event);
    void setPreview(int32_t active, int32_t pointer);
    void swapMaxRestore(bool maximised);

    ui::Window& window_;
    ui::NotificationRouter& router_;
    WindowSystem& system_;
    ChromeHooks hooks_;
    bool suspended_ = false;
    bool initialised_ = false;
    bool sizeAdjusted_ = false;
    bool displayChanged_ = false;
    int32_t windowActive_ = 0;
    int32_t pointerOver_ = 0;
};

} // namespace morva::app
