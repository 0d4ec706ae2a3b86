#include "app/main_window_chrome.h"

#include "app/display_scale.h"
#include "base/trace.h"
#include "base/window_messages.h"
#include "platform/user_folders.h"
#include "ui/toolkit/host.h"
#include "ui/toolkit/language_store.h"
#include "ui/toolkit/menu.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/tray_icon.h"

namespace morva::app {
namespace {

// The main window's private messages that wait while the system sleeps.
constexpr std::initializer_list<uint32_t> kGuardedMessages = {
    kMsgTrayCallback, kMsgRecordingHooks,   kMsgMenuChosen,     kMsgTraceOnly,
    kMsgShowProgress, kMsgLanguageChanged,  WM_DEVICE_ATTACHED, WM_DEVICE_DETACHED,
    kMsgOpenSettings, kMsgClearUpdateBadge, kMsgTimer,          kMsgDisplayChange,
    kMsgDpiChanged};

template <typename F, typename... A> void call(const F& f, A&&... args) {
    if (f) {
        f(std::forward<A>(args)...);
    }
}

} // namespace

MainWindowChrome::MainWindowChrome(ui::Window& window, ui::NotificationRouter& router,
                                   WindowSystem& system, ChromeHooks hooks)
    : window_(window), router_(router), system_(system), hooks_(std::move(hooks)) {
    guardWhileSuspended(kGuardedMessages);
    registerRoutes();
}

void MainWindowChrome::guardWhileSuspended(std::initializer_list<uint32_t> ids) {
    for (const uint32_t id : ids) {
        router_.onMessage(id, [this](const ui::WindowMessage&) -> std::optional<int64_t> {
            if (suspended_) {
                return 0;
            }
            return std::nullopt;
        });
    }
}

void MainWindowChrome::registerRoutes() {
    router_.on(ui::notify::kClick, "closebtn", [this](const ui::Notification&) {
        call(hooks_.closeSecondaryWindows);
        hideToTrayOrMinimise();
    });
    router_.on(ui::notify::kClick, "nodevice_ok_btn",
               [this](const ui::Notification&) { hideToTrayOrMinimise(); });
    router_.on(ui::notify::kClick, "minbtn",
               [this](const ui::Notification&) { system_.minimise(window_); });
    router_.on(ui::notify::kClick, "maxbtn", [this](const ui::Notification&) {
        system_.maximise(window_);
        swapMaxRestore(true);
    });
    router_.on(ui::notify::kClick, "restorebtn", [this](const ui::Notification&) {
        system_.restore(window_);
        swapMaxRestore(false);
    });
    router_.on(ui::notify::kWindowSize, "root", [this](const ui::Notification&) {
        if (initialised_ && !sizeAdjusted_) {
            sizeAdjusted_ = true;
            adjustDisplay();
        }
    });

    router_.onMessage(kMsgClose, [this](const ui::WindowMessage&) -> std::optional<int64_t> {
        call(hooks_.closeSecondaryWindows);
        hideToTrayOrMinimise();
        return 1;
    });
    router_.onMessage(kMsgTrayCallback,
                      [this](const ui::WindowMessage& m) -> std::optional<int64_t> {
                          onTrayCallback(m.lParam);
                          return 1;
                      });
    router_.onMessage(kMsgTimer, [this](const ui::WindowMessage& m) -> std::optional<int64_t> {
        if (m.wParam == kTimerDisplayAdjust) {
            window_.killTimer(kTimerDisplayAdjust);
            adjustDisplay();
            return 1;
        }
        if (m.wParam == kTimerTrayMenu) {
            window_.killTimer(kTimerTrayMenu);
            showTrayMenu();
            return 1;
        }
        return std::nullopt;
    });
    router_.onMessage(kMsgMenuChosen, [this](const ui::WindowMessage& m) -> std::optional<int64_t> {
        onMenuChosen(m);
        return std::nullopt; // other items belong to other parts
    });
    router_.onMessage(kMsgPowerBroadcast,
                      [this](const ui::WindowMessage& m) -> std::optional<int64_t> {
                          onPower(m.wParam);
                          return 1;
                      });
    router_.onMessage(kMsgActivate, [this](const ui::WindowMessage& m) -> std::optional<int64_t> {
        const int32_t active = m.wParam != 0 ? 1 : 0;
        setPreview(active, active);
        return std::nullopt;
    });
    router_.onMessage(kMsgMouseHover, [this](const ui::WindowMessage&) -> std::optional<int64_t> {
        if (!windowActive_) {
            setPreview(windowActive_, 1);
        }
        return std::nullopt;
    });
    router_.onMessage(kMsgMouseLeave, [this](const ui::WindowMessage&) -> std::optional<int64_t> {
        if (!windowActive_) {
            setPreview(windowActive_, 0);
        }
        return std::nullopt;
    });
    router_.onMessage(kMsgDisplayChange,
                      [this](const ui::WindowMessage&) -> std::optional<int64_t> {
                          trace("显示器分辨率发生变化\n");
                          displayChanged_ = true;
                          adjustDisplay();
                          return 1;
                      });
    router_.onMessage(kMsgDpiChanged, [this](const ui::WindowMessage& m) -> std::optional<int64_t> {
        window_.toolkit().setAllDpi(supportedDpiOrBase(static_cast<int>(m.wParam)));
        window_.centre();
        trace("界面 DPI 发生变化\n");
        return 1;
    });
}

void MainWindowChrome::initialise() {
    window_.toolkit().tray().create(window_, kTrayIconResource, kApplicationTitle,
                                    kMsgTrayCallback);
    window_.setTimer(kTimerDisplayAdjust, 100);
    nameNoDeviceButton();
    initialised_ = true;
}

void MainWindowChrome::nameNoDeviceButton() {
    ui::Control* button = window_.find("nodevice_ok_btn");
    if (button == nullptr) {
        return;
    }
    // The button says where the window goes: into the tray, or down to the task bar.
    const bool tray = trayHoldsTheWindow();
    button->setTextKey(tray ? "nodevice_to_tray_text" : "nodevice_minimise_text");
    button->setToolTip(
        ui::LanguageStore::makeKey(tray ? "nodevice_to_tray_tip" : "nodevice_minimise_tip"));
}

bool MainWindowChrome::trayHoldsTheWindow() const {
    return system_.trayAvailable() && window_.toolkit().tray().exists();
}

void MainWindowChrome::hideToTrayOrMinimise() {
    // Without a tray a hidden window could not be reached again: minimise instead.
    if (trayHoldsTheWindow()) {
        window_.hide();
    } else {
        system_.minimise(window_);
    }
}

void MainWindowChrome::showAtStart(bool hidden) {
    if (hidden && trayHoldsTheWindow()) {
        return;
    }
    window_.show();
    if (hidden) {
        system_.minimise(window_);
    }
}

void MainWindowChrome::onInstanceMessage() {
    call(hooks_.updateNoDeviceNotice);
    window_.show();
    system_.bringToFront(window_);
}

void MainWindowChrome::onTrayCallback(int64_t mouseMessage) {
    if (mouseMessage == kMsgLButtonUp) {
        call(hooks_.updateNoDeviceNotice);
        call(hooks_.closeSecondaryWindows);
        if (window_.visible() && !system_.minimised(window_)) {
            window_.hide();
        } else {
            window_.show();
            system_.bringToFront(window_);
        }
    } else if (mouseMessage == kMsgRButtonUp) {
        window_.setTimer(kTimerTrayMenu, 10);
    }
}

void MainWindowChrome::showTrayMenu() {
    ui::Toolkit& toolkit = window_.toolkit();
    toolkit.closeMenu();
    // The desktop keeps the menu on the screen; it opens where the pointer is.
    if (!toolkit.showMenu(window_, "XML_MENU", toolkit.host().cursorPos())) {
        trace("tray menu could not be built\n");
    }
}

void MainWindowChrome::onMenuChosen(const ui::WindowMessage& message) {
    const auto* item = std::any_cast<ui::MenuItemRecord>(&message.payload);
    if (!item) {
        return;
    }
    if (equalsIgnoreCase(item->name, "exit")) {
        call(hooks_.exit);
    } else if (equalsIgnoreCase(item->name, "about_menu")) {
        call(hooks_.openAbout);
    } else if (equalsIgnoreCase(item->name, "setwnd_menu")) {
        call(hooks_.openSettings);
    }
}

void MainWindowChrome::onPower(int64_t event) {
    if (event == kPowerSuspend) {
        suspended_ = true;
        call(hooks_.setLightOutput, 0);
    } else if (event == kPowerResumeAutomatic) {
        call(hooks_.setLightOutput, hooks_.lightControlValue ? hooks_.lightControlValue() : 1);
        suspended_ = false;
        call(hooks_.resumed);
    }
}

void MainWindowChrome::setPreview(int32_t active, int32_t pointer) {
    // Always passed on: the devices start with their preview on while these flags start at 0.
    windowActive_ = active;
    pointerOver_ = pointer;
    call(hooks_.setPreviewActive, pointerOver_);
}

void MainWindowChrome::swapMaxRestore(bool maximised) {
    if (ui::Control* max = window_.find("maxbtn")) {
        max->setVisible(!maximised);
    }
    if (ui::Control* restore = window_.find("restorebtn")) {
        restore->setVisible(maximised);
    }
}

void MainWindowChrome::adjustDisplay() {
    const bool wasShown = window_.visible() && !system_.minimised(window_);
    if (!wasShown) {
        system_.restore(window_);
    }
    const ui::Size monitor = system_.monitorSize(window_);
    const DisplayAdjustment adjustment = displayAdjustmentForMonitor(monitor.cx, monitor.cy);
    ui::Toolkit& toolkit = window_.toolkit();
    toolkit.setAllDpi(kBaseDpi);
    window_.resize({kMainWindowWidth, kMainWindowHeight});
    toolkit.setAllDpi(adjustment.dpi);
    window_.centre();
    window_.show(wasShown);
}

} // namespace morva::app
