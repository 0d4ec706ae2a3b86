// The program: one instance per user session, the main window from "XML_MAIN" drawn with Qt.
#include "app/about_window.h"
#include "app/app_startup.h"
#include "app/display_scale.h"
#include "app/language_apply.h"
#include "app/language_config.h"
#include "app/light_control.h"
#include "app/main_window_chrome.h"
#include "app/message_box.h"
#include "app/notification_router.h"
#include "app/settings_store.h"
#include "app/settings_window.h"
#include "app/shell_messages.h"
#include "app/single_instance.h"
#include "app/skin_choice.h"
#include "app/skin_settings.h"
#include "app/skin_window.h"
#include "app/user_folders.h"
#include "base/trace.h"
#include "emulator/emulated_hid_bus.h"
#include "emulator/emulated_models.h"
#include "frontend/qt/main_window_parts.h"
#include "frontend/qt/qt_desktop.h"
#include "frontend/qt/qt_event_loop.h"
#include "frontend/qt/qt_host.h"
#include "frontend/qt/qt_renderer.h"
#include "hid/hid_default_backend.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <QApplication>
#include <cstring>
#include <memory>

namespace morva::qt {
namespace {

// The devices --demo attaches: one of every emulated model.
void plugEveryModel(emulator::EmulatedHidBus& bus) {
    bus.plug(emulator::makeEmulatedKeyboard());
    bus.plug(emulator::makeEmulatedMouse());
    bus.plug(emulator::makeEmulatedWirelessMouse());
    bus.plug(emulator::makeEmulatedMousePad());
    bus.plug(emulator::makeEmulatedHeadset());
}

class GuiProgram final : public app::StartupSteps {
public:
    GuiProgram(QApplication& application, bool demo) : application_(application), demo_(demo) {
        host_.attach(toolkit_, renderer_);
        host_.setMessageBox([this](ui::Window* owner, std::string_view title, std::string_view text,
                                   ui::MessageBoxButtons buttons) {
            return app::CMsgWnd::ShowMessage(
                toolkit_, owner, title, text, owner ? owner->dpi() : kBaseDpi, false,
                buttons == ui::MessageBoxButtons::OkCancel ? app::CMsgWnd::kConfirmCancel
                                                           : app::CMsgWnd::kConfirmOnly);
        });
        if (demo_) {
            plugEveryModel(demoBus_);
            setDefaultHidBackend(&demoBus_);
        }
    }

    ~GuiProgram() override { setDefaultHidBackend(nullptr); }

    void loadPrivateFont(const std::filesystem::path& fontFile) override {
        const QString family = qt::loadPrivateFont(fontFile);
        if (!family.isEmpty()) {
            renderer_.setFontFamilyAlias(kFontFace, family);
            QFont font = QApplication::font();
            font.setFamily(family);
            QApplication::setFont(font);
        }
    }

    SingleInstance::StartResult claimInstance() override { return instance_.claimOrWake(); }

    bool setupResources(const std::filesystem::path& skinFolder) override {
        renderer_.setSkinFolder(skinFolder);
        applyDarkLook(application_);
        return toolkit_.setResourcePath(skinFolder);
    }

    void serveMessages() override {
        instance_.serve(loop_, [this](const ipc::Message& m) { shellRouter_.route(m); });
    }

    bool createMainWindow() override;

    void runLoop() override { loop_.run(); }

    void shutdown() override {
        instance_.stop();
        toolkit_.tray().remove();
        parts_.clear();
    }

    void setProgramFolder(std::filesystem::path folder) { programFolder_ = std::move(folder); }

private:
    void registerShellRoutes();
    void openSettings();
    void openAbout();
    void openSkinWindow();
    void closeSecondaryWindows();
    void onLanguageChanged();

    QApplication& application_;
    bool demo_;
    std::filesystem::path programFolder_;
    emulator::EmulatedHidBus demoBus_;
    QtEventLoop loop_;
    // The host is destroyed before the toolkit it observes.
    ui::Toolkit toolkit_{loop_, host_};
    QtHost host_;
    QtRenderer renderer_{toolkit_};
    QtWindowSystem windowSystem_{renderer_};
    SingleInstance instance_;
    SettingsStore settings_ = SettingsStore::forUser();
    SkinSettings skinSettings_ = SkinSettings::forUser();
    std::unique_ptr<ui::Window> mainWindow_;
    app::NotificationRouter router_;
    std::unique_ptr<app::MainWindowChrome> chrome_;
    LightControl lightControl_{[this](int32_t value) { onLightControl(value); },
                               [](uint32_t w, int32_t l) {
                                   sendAnnounce(w, l);
                               }};
    ShellMessageRouter shellRouter_{[this](uint32_t, int32_t) {
                                        if (chrome_) {
                                            chrome_->onInstanceMessage();
                                        }
                                    },
                                    lightControl_};
    app::ToolkitLanguageTarget languageTarget_{toolkit_, [this] {
                                                   onLanguageChanged();
                                               }};
    std::unique_ptr<LanguageSelector> languages_;
    SkinChooser skinChooser_{skinSettings_, [this](const SkinChangedParam& p) {
                                 if (mainWindow_) {
                                     app::applySkinToRoot(*mainWindow_, p);
                                 }
                             }};
    std::unique_ptr<app::CSkinFrame> skinFrame_;
    std::unique_ptr<app::CSettingsWnd> settingsWindow_;
    app::CAboutWnd* aboutWindow_ = nullptr;
    std::unique_ptr<PowerMonitor> power_;
    std::vector<MainWindowPart> parts_;

    void onLightControl(int32_t value) {
        if (mainWindow_) {
            if (ui::Control* button = mainWindow_->find("control_light_status")) {
                button->setText(std::string(lightControlButtonText(value)));
            }
        }
        if (chrome_ && chrome_->hooks().setLightOutput) {
            chrome_->hooks().setLightOutput(value);
        }
    }
};

bool GuiProgram::createMainWindow() {
    mainWindow_ = std::make_unique<ui::Window>(toolkit_);
    mainWindow_->create("MainWnd", kApplicationTitle, {800, 572});
    router_.attachTo(*mainWindow_);
    app::ChromeHooks hooks;
    hooks.lightControlValue = [this] {
        return lightControl_.value();
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
        mainWindow_->hide();
        loop_.quit();
    };
    chrome_ = std::make_unique<app::MainWindowChrome>(*mainWindow_, router_, windowSystem_,
                                                      std::move(hooks));
    shellRouter_.setForwardTarget([this](const ipc::Message& m) {
        if (settingsWindow_ && settingsWindow_->isOpen()) {
            settingsWindow_->onForwardMessage(m);
        }
    });
    registerShellRoutes();

    languages_ = std::make_unique<LanguageSelector>(languageListPath(programFolder_), settings_,
                                                    languageTarget_);
    MainWindowContext context{toolkit_,      loop_,       *mainWindow_, router_, *chrome_,
                              lightControl_, *languages_, demo_,        {}};
    parts_ = createMainWindowParts(context);

    toolkit_.loadLanguageFile("lan_cn.xml");
    if (!mainWindow_->loadSkin("XML_MAIN", context.createControl)) {
        return false;
    }
    chrome_->initialise();
    languages_->applyStored();
    // Users expect their background to survive a restart.
    skinChooser_.restoreRecorded();
    onLightControl(lightControl_.value());
    power_ = std::make_unique<PowerMonitor>([this](bool suspending) {
        mainWindow_->sendMessage(ui::kMsgPowerBroadcast,
                                 suspending ? ui::kPowerSuspend : ui::kPowerResumeAutomatic);
    });
    mainWindow_->centre();
    mainWindow_->show();
    return true;
}

void GuiProgram::registerShellRoutes() {
    router_.on(ui::notify::kClick, "skinbtn",
               [this](const ui::Notification&) { openSkinWindow(); });
    router_.on(ui::notify::kClick, "setbtn", [this](const ui::Notification&) { openSettings(); });
    router_.on(ui::notify::kClick, "control_light_status",
               [this](const ui::Notification&) { lightControl_.toggle(); });
    router_.onMessage(app::kMsgLanguageChanged,
                      [this](const ui::WindowMessage& m) -> std::optional<int64_t> {
                          if (languages_) {
                              languages_->apply(static_cast<int>(m.wParam));
                          }
                          return std::nullopt; // the devices refresh their pages too
                      });
    router_.onMessage(0x0C15, [this](const ui::WindowMessage&) -> std::optional<int64_t> {
        openSettings();
        return 1;
    });
}

void GuiProgram::openSettings() {
    if (!settingsWindow_) {
        settingsWindow_ = std::make_unique<app::CSettingsWnd>(
            toolkit_, readLanguageList(languageListPath(programFolder_)),
            [this](int index) { mainWindow_->postMessage(app::kMsgLanguageChanged, index); });
    }
    if (!settingsWindow_->open(mainWindow_.get(), languages_ ? languages_->currentIndex() : 0)) {
        trace("settings window could not be built\n");
    }
}

void GuiProgram::openAbout() {
    if (aboutWindow_) {
        return;
    }
    app::CAboutWnd about(toolkit_, windowSystem_);
    if (!about.create(mainWindow_.get())) {
        trace("about window could not be built\n");
        return;
    }
    aboutWindow_ = &about;
    about.showModal();
    aboutWindow_ = nullptr;
}

void GuiProgram::openSkinWindow() {
    if (skinFrame_ && skinFrame_->isOpen()) {
        return;
    }
    skinFrame_ = std::make_unique<app::CSkinFrame>(toolkit_, skinChooser_);
    skinFrame_->setOnClosed([this] { skinFrame_.reset(); });
    if (!skinFrame_->open(*mainWindow_, mainWindow_->find("skinbtn"))) {
        trace("skin window could not be built\n");
        skinFrame_.reset();
    }
}

void GuiProgram::closeSecondaryWindows() {
    if (settingsWindow_ && settingsWindow_->isOpen()) {
        settingsWindow_->close();
    }
    if (aboutWindow_) {
        aboutWindow_->window().close(0);
    }
}

void GuiProgram::onLanguageChanged() {
    renderer_.refreshAll();
    if (settingsWindow_ && settingsWindow_->isOpen()) {
        settingsWindow_->window().sendMessage(app::kMsgLanguageChanged);
    }
    if (aboutWindow_) {
        aboutWindow_->window().sendMessage(app::kMsgLanguageChanged);
    }
}

} // namespace
} // namespace morva::qt

int main(int argc, char** argv) {
    bool demo = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--demo") == 0) {
            demo = true;
        }
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(morva::kApplicationTitle));
    // Closing to the tray must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    const auto paths = morva::app::startupPathsFor(morva::app::programFolderOfExecutable());
    morva::qt::GuiProgram program(application, demo);
    program.setProgramFolder(paths.programFolder);
    return morva::app::runStartup(program, paths);
}
