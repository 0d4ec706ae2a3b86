// The program: one instance per user session, the main window from "XML_MAIN" drawn with Qt.
#include "app/app_startup.h"
#include "app/gui_options.h"
#include "app/message_box.h"
#include "app/program_window.h"
#include "app/single_instance.h"
#include "app/skin_settings.h"
#include "base/program_location.h"
#include "base/trace.h"
#include "emulator/demo_devices.h"
#include "emulator/emulated_hid_bus.h"
#include "frontend/qt/desktop_identity.h"
#include "frontend/qt/qt_desktop.h"
#include "frontend/qt/qt_event_loop.h"
#include "frontend/qt/qt_host.h"
#include "frontend/qt/qt_input_capture.h"
#include "frontend/qt/qt_renderer.h"
#include "frontend/qt/termination_signals.h"
#include "hid/device_model_catalog.h"
#include "hid/hid_default_backend.h"
#include "platform/desktop_locale.h"
#include "platform/settings_store.h"
#include "platform/user_folders.h"
#include "ui/toolkit/toolkit.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace morva::qt {
namespace {

class GuiProgram final : public app::StartupSteps {
public:
    GuiProgram(QApplication& application, bool demo) : application_(application) {
        host_.attach(toolkit_, renderer_);
        host_.setMessageBox([this](ui::Window* owner, std::string_view title, std::string_view text,
                                   ui::MessageBoxButtons buttons) {
            return app::showMessageBox(toolkit_, owner, title, text, false, buttons);
        });
        if (demo) {
            emulator::plugDemoDevices(demoBus_);
            hid::setDefaultHidBackend(&demoBus_);
        }
    }

    ~GuiProgram() override {
        window_.reset(); // its threads end before the demo devices go
        hid::setDefaultHidBackend(nullptr);
    }

    void loadPrivateFont(const std::filesystem::path& fontFile) override {
        const QString family = qt::loadPrivateFont(fontFile);
        if (!family.isEmpty()) {
            renderer_.setFontFamilyAlias(app::kFontFace, family);
        }
        const QStringList fallbacks = chineseFallbackFamilies();
        renderer_.setFallbackFamilies(fallbacks);
        QFont font = QApplication::font();
        font.setFamilies(QStringList{family.isEmpty() ? font.family() : family} + fallbacks);
        QApplication::setFont(font);
    }

    app::SingleInstance::StartResult claimInstance() override { return instance_.claimOrWake(); }

    bool setupResources(const std::filesystem::path& skinFolder) override {
        renderer_.setSkinFolder(skinFolder);
        applyDarkLook(application_);
        return toolkit_.setResourcePath(skinFolder) && toolkit_.loadLanguageFile("lan_cn.xml");
    }

    void serveMessages() override {
        instance_.serve(loop_, [this](const platform::Message& m) {
            if (window_) {
                window_->onShellMessage(m);
            }
        });
    }

    bool createMainWindow() override {
        app::ProgramWindowConfig config;
        config.programFolder = programFolder_;
        config.startHidden = startHidden_;
        config.desktopLocale = platform::desktopMessagesLocale();
        config.settings = &settings_;
        config.skinSettings = &skinSettings_;
        config.languageChanged = [this] {
            renderer_.refreshAll();
        };
        config.quit = [this] {
            loop_.quit();
        };
        config.devices.inputCapture = &capture_;
        window_ = std::make_unique<app::ProgramWindow>(toolkit_, windowSystem_, std::move(config));
        if (!window_->create()) {
            return false;
        }
        power_ = std::make_unique<PowerMonitor>(
            [this](bool suspending) { window_->onPowerEvent(suspending); });
        return true;
    }

    void runLoop() override {
        const TerminationSignals termination([this] {
            if (window_) {
                window_->exit();
            } else {
                loop_.quit();
            }
        });
        loop_.run();
    }

    void shutdown() override {
        instance_.stop();
        power_.reset();
        window_.reset();
    }

    void setProgramFolder(std::filesystem::path folder) { programFolder_ = std::move(folder); }
    void setStartHidden(bool hidden) { startHidden_ = hidden; }

private:
    QApplication& application_;
    std::filesystem::path programFolder_;
    bool startHidden_ = false;
    emulator::EmulatedHidBus demoBus_;
    QtEventLoop loop_;
    // The host is destroyed before the toolkit it observes.
    ui::Toolkit toolkit_{loop_, host_};
    QtHost host_;
    QtRenderer renderer_{toolkit_};
    QtWindowSystem windowSystem_{renderer_};
    // Macro recording and key capture take the keyboard with the main window.
    QtInputCapture capture_{[this]() -> QWidget* {
        return window_ ? renderer_.widgetOf(window_->window()) : nullptr;
    }};
    app::SingleInstance instance_;
    platform::SettingsStore settings_ = platform::SettingsStore::forUser();
    app::SkinSettings skinSettings_ = app::SkinSettings::forUser();
    std::unique_ptr<app::ProgramWindow> window_;
    std::unique_ptr<PowerMonitor> power_;
};

} // namespace
} // namespace morva::qt

int main(int argc, char** argv) {
    const morva::app::GuiOptions options =
        morva::app::parseGuiOptions(std::span<char* const>(argv + 1, argv + argc));
    // Before the GUI library, so that both work without a display.
    if (options.version || options.help) {
        std::fputs(options.version ? morva::app::guiVersionLine().c_str()
                                   : morva::app::guiUsage().c_str(),
                   stdout);
        return 0;
    }
    if (const std::string reason = morva::app::missingDisplayReason(
            std::span<char* const>(argv + 1, argv + argc),
            [](const char* name) -> const char* { return std::getenv(name); });
        !reason.empty()) {
        std::fputs(reason.c_str(), stderr);
        return 1;
    }
    // Before any thread starts, so that only the interface thread takes the signals.
    morva::qt::TerminationSignals::blockInAllThreads();
    QApplication application(argc, argv);
    // Qt has taken its own options (-platform, -style, ...) out of argv by now.
    if (const std::vector<std::string> unknown =
            morva::app::unknownGuiArguments(std::span<char* const>(argv + 1, argv + argc));
        !unknown.empty()) {
        std::fprintf(stderr, "morva: unknown option '%s'\n%s", unknown.front().c_str(),
                     morva::app::guiUsage().c_str());
        return 2;
    }
    morva::qt::identifyToDesktop();
    // Closing to the tray must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    if (const std::string& problem = morva::hid::installedDeviceModelsError(); !problem.empty()) {
        // Without the models no device could be recognised; say so rather than show an empty bar.
        const QString text =
            QString::fromUtf8("The supported device models are unknown: " + problem);
        std::fprintf(stderr, "morva: %s\n", text.toUtf8().constData());
        QMessageBox::critical(nullptr, QString::fromUtf8(morva::kApplicationTitle), text);
        return 1;
    }
    const auto paths = morva::app::startupPathsFor(morva::shippedFilesFolder());
    morva::qt::GuiProgram program(application, options.demo);
    program.setProgramFolder(paths.programFolder);
    program.setStartHidden(options.hidden);
    return morva::app::runStartup(program, paths);
}
