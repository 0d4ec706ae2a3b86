#include "app/program_window.h"

#include "app/message_box.h"
#include "app/update_entries.h"
#include "base/trace.h"
#include "base/window_messages.h"
#include "platform/program_launcher.h"
#include "platform/user_folders.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/tray_icon.h"
#include "update/check_date.h"

#include <ctime>

namespace morva::app {

ProgramWindow::ProgramWindow(ui::Toolkit& toolkit, WindowSystem& system, ProgramWindowConfig config)
    : toolkit_(toolkit), system_(system), config_(std::move(config)),
      lightControl_([this](int32_t value) { onLightControl(value); },
                    config_.announce ? config_.announce : LightControl::Announce(sendAnnounce)),
      shellRouter_([this](uint32_t, int32_t) { chrome_.onInstanceMessage(); }, lightControl_),
      languageTarget_(toolkit_, [this] { onLanguageChanged(); }),
      languages_(languageListPath(config_.programFolder), *config_.settings, languageTarget_),
      skinChooser_(*config_.skinSettings,
                   [this](const SkinChangedParam& p) { applySkinToRoot(window(), p); }),
      core_(toolkit_, coreCallbacks(), config_.devices),
      chrome_(core_.window(), core_.router(), system_, chromeHooks()) {
    shellRouter_.setForwardTarget([this](const platform::Message& m) {
        if (settingsOpen()) {
            settingsWindow_->onForwardMessage(m);
        }
    });
    registerShellRoutes();
}

ProgramWindow::~ProgramWindow() {
    // The chrome goes before the core; no thread may reach it after that.
    core_.StopWorkers();
    toolkit_.tray().remove();
}

MainWindowCallbacks ProgramWindow::coreCallbacks() {
    MainWindowCallbacks callbacks;
    callbacks.announce = [this](int64_t, int64_t) {
        lightControl_.announceStart();
    };
    callbacks.applyLanguage = [this] {
        languages_.applyStored(config_.desktopLocale);
    };
    callbacks.closeSettingsAndAbout = [this] {
        closeSecondaryWindows();
    };
    callbacks.firstScanPassDone = [this] {
        if (config_.startHidden) {
            core_.devices().UpdateNoDeviceNotice();
        } else {
            chrome_.onInstanceMessage();
        }
    };
    callbacks.showWindow = [this] {
        chrome_.showAtStart(config_.startHidden);
    };
    callbacks.messageBox = [this](ui::Window* owner, const profiles::PanelMessage& message) {
        return showMessage(owner, message);
    };
    return callbacks;
}

ChromeHooks ProgramWindow::chromeHooks() {
    ChromeHooks hooks;
    hooks.setLightOutput = [this](int32_t value) {
        core_.devices().SetLightOutput(value);
    };
    hooks.setPreviewActive = [this](int32_t value) {
        core_.devices().SetPreviewActive(value);
    };
    hooks.lightControlValue = [this] {
        return lightControl_.value();
    };
    hooks.resumed = [this] {
        core_.devices().Resynchronise();
    };
    hooks.updateNoDeviceNotice = [this] {
        core_.devices().UpdateNoDeviceNotice();
    };
    hooks.closeSecondaryWindows = [this] {
        closeSecondaryWindows();
    };
    hooks.openAbout = [this] {
        openAbout();
    };
    hooks.openSettings = [this] {
        openSettings();
    };
    hooks.exit = [this] {
        exit();
    };
    return hooks;
}

void ProgramWindow::exit() {
    closeSecondaryWindows();
    // A shown window would be asked to close, and closing only hides it to the tray.
    window().hide();
    if (config_.quit) {
        config_.quit();
    }
}

bool ProgramWindow::create() {
    if (!core_.Create()) {
        return false;
    }
    chrome_.initialise();
    // Users expect their background to survive a restart.
    skinChooser_.restoreRecorded();
    onLightControl(lightControl_.value());
    window().centre();
    return true;
}

void ProgramWindow::onShellMessage(const platform::Message& message) {
    shellRouter_.route(message);
}

void ProgramWindow::onPowerEvent(bool suspending) {
    window().sendMessage(kMsgPowerBroadcast, suspending ? kPowerSuspend : kPowerResumeAutomatic);
}

void ProgramWindow::registerShellRoutes() {
    ui::NotificationRouter& router = core_.router();
    router.on(ui::notify::kClick, "skinbtn", [this](const ui::Notification&) { openSkinWindow(); });
    router.on(ui::notify::kClick, "setbtn", [this](const ui::Notification&) { openSettings(); });
    router.on(ui::notify::kClick, "control_light_status",
              [this](const ui::Notification&) { lightControl_.toggle(); });
    router.onMessage(kMsgLanguageChanged,
                     [this](const ui::WindowMessage& m) -> std::optional<int64_t> {
                         languages_.apply(static_cast<int>(m.wParam));
                         return std::nullopt; // the devices refresh their pages too
                     });
    router.onMessage(kMsgOpenSettings, [this](const ui::WindowMessage&) -> std::optional<int64_t> {
        openSettings();
        return 1;
    });
}

void ProgramWindow::onLightControl(int32_t value) {
    if (ui::Control* button = window().find("control_light_status")) {
        button->setText(std::string(lightControlButtonText(value)));
    }
    core_.devices().SetLightOutput(value);
}

void ProgramWindow::openSettings() {
    if (!settingsWindow_) {
        settingsWindow_ = std::make_unique<CSettingsWnd>(
            toolkit_, system_, readLanguageList(languageListPath(config_.programFolder)),
            [this](int index) { window().postMessage(kMsgLanguageChanged, index); },
            UpdatePage::Environment{.updateFolder = config_.programFolder / "UpdateData",
                                    .checkDateFile =
                                        platform::userDataFolder() / update::kCheckDateFileName,
                                    .runProgram = platform::startProgram,
                                    .today =
                                        [] {
                                            return update::checkDateText(std::time(nullptr));
                                        }},
            [this] { toolkit_.loop().post([this] { exit(); }); });
    }
    const std::vector<update::UpdateEntry> entries =
        updateEntries(core_.devices(), softwareVersionNumber(MORVA_VERSION));
    if (!settingsWindow_->open(&window(), languages_.currentIndex(), entries)) {
        trace("settings window could not be built\n");
    }
}

void ProgramWindow::openAbout() {
    if (aboutWindow_ != nullptr) {
        // Asked for again while open, perhaps minimised: it comes back to the front.
        system_.bringToFront(aboutWindow_->window());
        return;
    }
    CAboutWnd about(toolkit_, system_);
    if (!about.create(&window())) {
        trace("about window could not be built\n");
        return;
    }
    aboutWindow_ = &about;
    about.showModal();
    aboutWindow_ = nullptr;
}

void ProgramWindow::openSkinWindow() {
    if (skinWindowOpen()) {
        return;
    }
    skinFrame_ = std::make_unique<CSkinFrame>(toolkit_, skinChooser_);
    skinFrame_->setOnClosed([this] { skinFrame_.reset(); });
    if (!skinFrame_->open(window(), window().find("skinbtn"))) {
        trace("skin window could not be built\n");
        skinFrame_.reset();
    }
}

void ProgramWindow::closeSecondaryWindows() {
    if (settingsOpen()) {
        settingsWindow_->close();
    }
    if (aboutWindow_ != nullptr) {
        aboutWindow_->window().close(0);
    }
}

void ProgramWindow::onLanguageChanged() {
    if (config_.languageChanged) {
        config_.languageChanged();
    }
    if (settingsOpen()) {
        settingsWindow_->window().sendMessage(kMsgLanguageChanged);
    }
    if (aboutWindow_ != nullptr) {
        aboutWindow_->window().sendMessage(kMsgLanguageChanged);
    }
}

int ProgramWindow::showMessage(ui::Window* owner, const profiles::PanelMessage& message) {
    return showMessageBox(toolkit_, owner, "", message.text, message.textIsKey, message.buttons);
}

} // namespace morva::app
