#include "app/program_window.h"
#include "device/usb_device.h"
#include "emulator/emulated_models.h"
#include "tests/devmgr/devmgr_fixture.h"
#include "tests/support/fake_window_system.h"
#include "ui/toolkit/menu.h"
#include "ui/toolkit/tray_icon.h"

#include <algorithm>
#include <gmock/gmock.h>

namespace morva::app::test {
namespace {

using ::testing::ElementsAre;

constexpr int kKeyboardTab = 1;
constexpr int kHeadsetTab = 3;
constexpr int32_t kEnglishId = 1033;

// The whole main window on the headless toolkit: the real skin and default data, an emulated
// HID bus scanned by the real scan thread, settings and profiles in a temporary folder.
class ProgramWindowTest : public devmgr::test::DevmgrTest {
protected:
    ProgramWindowTest() { host.setScreenSize({1920, 1080}); }
    ~ProgramWindowTest() override {
        program.reset(); // its threads end before the bus goes
    }

    void start(std::string desktopLocale = {}, bool hidden = false) {
        ProgramWindowConfig config;
        config.startHidden = hidden;
        config.programFolder = runtime;
        config.desktopLocale = std::move(desktopLocale);
        config.settings = &settings;
        config.skinSettings = &skinSettings;
        config.devices.backend = &bus;
        config.announce = [this](uint32_t w, int32_t l) {
            announced.emplace_back(w, l);
        };
        config.languageChanged = [this] {
            ++languageChanges;
        };
        config.quit = [this] {
            ++quits;
        };
        program = std::make_unique<ProgramWindow>(toolkit, system, std::move(config));
        ASSERT_TRUE(program->create());
        loop.runPending(); // "windowinit"
        ASSERT_TRUE(program->core().initialised());
    }

    bool waitFor(const std::function<bool()>& done) { return loop.runUntil(done, 10000); }
    app::DeviceManager& devices() { return program->core().devices(); }
    device::CKestraneUSBDevice& deviceOfTab(int row) {
        return *devices().tabs()[static_cast<size_t>(row)]->device();
    }
    ui::Window& window() { return program->window(); }
    bool noticeShown() { return window().find("No_device_Link")->visible(); }
    void click(std::string_view name) {
        ui::Control* control = window().find(name);
        ASSERT_NE(control, nullptr) << name;
        control->event(ui::UiEvent::of(ui::EventType::Click));
        loop.runPending();
    }
    void chooseTrayItem(const char* item) {
        toolkit.showMenu(window(), "XML_MENU", {0, 0})->choose(item);
        loop.runPending();
    }

    std::filesystem::path runtime = std::filesystem::path(MORVA_RUNTIME_DIR);
    platform::SettingsStore settings{dataHome.path() / "settings.json"};
    app::SkinSettings skinSettings{dataHome.path() / "main.ini"};
    morva::test::FakeWindowSystem system;
    std::vector<std::pair<uint32_t, int32_t>> announced;
    int languageChanges = 0;
    int quits = 0;
    std::unique_ptr<ProgramWindow> program;
};

TEST_F(ProgramWindowTest, StartShowsThePluggedDeviceAndBringsTheWindowForward) {
    bus.plug(emulator::makeEmulatedKeyboard());
    ASSERT_TRUE(app::storeLanguageIdentifier(settings, kEnglishId));
    start();
    EXPECT_TRUE(window().visible());
    EXPECT_TRUE(toolkit.tray().exists());
    EXPECT_THAT(announced, ElementsAre(std::pair<uint32_t, int32_t>{1, 1}));
    EXPECT_EQ(program->currentLanguage(), 1); // the stored identifier, English
    EXPECT_EQ(languageChanges, 1);

    ASSERT_TRUE(waitFor([&] { return devices().tabs()[kKeyboardTab]->tabVisible(); }));
    EXPECT_FALSE(noticeShown());
    // The scan thread's first pass ends with the instance message: the window comes forward.
    ASSERT_TRUE(
        waitFor([&] { return std::count(system.calls.begin(), system.calls.end(), "front") > 0; }));
    // The display adjustment 100 ms after the start scales for the 1920 x 1080 monitor.
    system.monitor = {1920, 1080};
    loop.advance(100);
    EXPECT_EQ(window().dpi(), 144);
}

TEST_F(ProgramWindowTest, LightControlFromTheButtonAndFromAnotherProgram) {
    start();
    ui::Control* button = window().find("control_light_status");
    EXPECT_EQ(button->text(), "控制灯光");

    click("control_light_status");
    EXPECT_EQ(program->lightControl().value(), 0);
    EXPECT_EQ(button->text(), "不控制灯光");
    EXPECT_EQ(deviceOfTab(kKeyboardTab).lightOutput(), 0);
    EXPECT_EQ(deviceOfTab(kHeadsetTab).lightOutput(), 1); // a headset has no lighting to hand over
    EXPECT_EQ(announced.back(), (std::pair<uint32_t, int32_t>{1, 0}));

    struct Case {
        uint32_t wParam;
        int32_t lParam;
        int32_t expected;
    };
    for (const Case& c : {Case{1, 1, 1}, Case{2, 0, 1}, Case{1, 5, 1}, Case{1, 0, 0}}) {
        program->onShellMessage(
            platform::Message{platform::MessageKind::LightControl, c.wParam, c.lParam});
        EXPECT_EQ(deviceOfTab(kKeyboardTab).lightOutput(), c.expected)
            << c.wParam << "/" << c.lParam;
    }
    EXPECT_EQ(announced.size(), 2u); // messages of other programs are not announced back
}

TEST_F(ProgramWindowTest, SuspendDarkensTheDevicesAndResumeRestoresTheLightControl) {
    start();
    program->onPowerEvent(true);
    EXPECT_TRUE(program->chrome().suspended());
    EXPECT_EQ(deviceOfTab(kKeyboardTab).lightOutput(), 0);
    program->onPowerEvent(false);
    EXPECT_FALSE(program->chrome().suspended());
    EXPECT_EQ(deviceOfTab(kKeyboardTab).lightOutput(), 1);
}

TEST_F(ProgramWindowTest, ADevicePluggedInWhileTheSystemSleepsShowsAfterResume) {
    start();
    program->onPowerEvent(true);
    bus.plug(emulator::makeEmulatedKeyboard());
    // The scan thread assigns the slot; its attach message is not handled while asleep.
    ASSERT_TRUE(waitFor([&] {
        const auto slots = devices().slots().snapshot();
        return std::any_of(slots.begin(), slots.end(), [](const hid::InterfaceSlot& s) {
            return s.connected != 0 && s.role == hid::kRolePrimary;
        });
    }));
    loop.runPending();
    EXPECT_FALSE(devices().tabs()[kKeyboardTab]->tabVisible());

    program->onPowerEvent(false);
    EXPECT_TRUE(devices().tabs()[kKeyboardTab]->tabVisible());
    EXPECT_TRUE(deviceOfTab(kKeyboardTab).commandChannel().isOpen());
    EXPECT_FALSE(noticeShown());
}

TEST_F(ProgramWindowTest, PreviewFollowsActivationAndThePointerOfAnInactiveWindow) {
    start();
    window().sendMessage(kMsgActivate, 0);
    EXPECT_EQ(deviceOfTab(kKeyboardTab).previewActive(), 0);
    EXPECT_EQ(deviceOfTab(kHeadsetTab).previewActive(), 1);
    window().sendMessage(kMsgMouseHover);
    EXPECT_EQ(deviceOfTab(kKeyboardTab).previewActive(), 1);
    window().sendMessage(kMsgMouseLeave);
    EXPECT_EQ(deviceOfTab(kKeyboardTab).previewActive(), 0);
    window().sendMessage(kMsgActivate, 1);
    window().sendMessage(kMsgMouseLeave);
    EXPECT_EQ(deviceOfTab(kKeyboardTab).previewActive(), 1);
}

TEST_F(ProgramWindowTest, TheRecordedBackgroundIsRestoredAtStart) {
    ASSERT_TRUE(skinSettings.recordColor(0xFF336699));
    start();
    EXPECT_EQ(window().find("root")->bkColor(), 0xFF336699u);
    EXPECT_EQ(window().find("root")->bkImage(), "");
}

TEST_F(ProgramWindowTest, SettingsChangeTheLanguageAndCloseWithTheWindow) {
    start();
    click("setbtn");
    ASSERT_TRUE(program->settingsOpen());
    window().sendMessage(kMsgLanguageChanged, 1);
    EXPECT_EQ(program->currentLanguage(), 1);
    EXPECT_EQ(settings.readInt(app::kLanguageValueName), kEnglishId);

    // Another program's forward message reaches the open settings window.
    program->onShellMessage(platform::Message{platform::MessageKind::Forward, 7, 9});
    EXPECT_EQ(program->settingsWindow()->lastForwardMessage(),
              (platform::Message{platform::MessageKind::Forward, 7, 9}));

    click("closebtn");
    EXPECT_FALSE(program->settingsOpen());
    EXPECT_FALSE(window().visible()); // hidden to the tray
    program->onShellMessage(platform::Message{platform::MessageKind::Instance, 0, 1});
    EXPECT_TRUE(window().visible());
}

TEST_F(ProgramWindowTest, TheFirstStartSpeaksTheDesktopsLanguage) {
    start("en_US.UTF-8");
    EXPECT_EQ(program->currentLanguage(), 1);
    EXPECT_EQ(window().find("control_light_status")->text(), "Controlling lights");
}

TEST_F(ProgramWindowTest, TheSettingsWindowOffersQuitForDesktopsWithoutATray) {
    system.tray = false;
    start();
    click("closebtn");
    EXPECT_TRUE(window().visible()) << "without a tray, close only minimises";
    EXPECT_EQ(quits, 0);
    click("setbtn");
    ASSERT_TRUE(program->settingsOpen());
    ui::Control* quit = program->settingsWindow()->window().find("settings_quit_btn");
    ASSERT_NE(quit, nullptr);
    quit->event(ui::UiEvent::of(ui::EventType::Click));
    loop.runPending();
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(program->settingsOpen());
}

TEST_F(ProgramWindowTest, TheUpdateHintOfTheSettingsWindowGoesWithItsButton) {
    start();
    click("setbtn");
    ASSERT_TRUE(program->settingsOpen());
    ui::Window& settingsWindow = program->settingsWindow()->window();
    ui::Control* hint = settingsWindow.find("update_tishi_layout");
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->visible());
    settingsWindow.resize({700, 560});
    settingsWindow.find("set_in_update_wnd_btn")->event(ui::UiEvent::of(ui::EventType::Click));
    loop.runPending();
    EXPECT_FALSE(hint->visible());
    EXPECT_EQ(settingsWindow.size(), (ui::Size{630, 500}));
    EXPECT_TRUE(program->settingsOpen());
}

// A hidden start (the autostart entry) waits in the tray, where a click brings the window; a
// desktop without a tray gets it minimised, never out of reach. The first scan pass, which
// brings a normal start's window forward, leaves it where it is.
class HiddenStart : public ProgramWindowTest, public testing::WithParamInterface<bool> {};

TEST_P(HiddenStart, StaysInTheTrayOrMinimisedAfterTheFirstScan) {
    const bool tray = GetParam();
    system.tray = tray;
    bus.plug(emulator::makeEmulatedKeyboard());
    start({}, true);
    // The pass that attached the keyboard has posted its end behind the attachment.
    ASSERT_TRUE(waitFor([&] { return devices().tabs()[kKeyboardTab]->tabVisible(); }));
    loop.runPending();
    EXPECT_EQ(window().visible(), !tray);
    EXPECT_EQ(system.isMinimised, !tray);
    EXPECT_EQ(std::count(system.calls.begin(), system.calls.end(), "front"), 0);
    EXPECT_FALSE(noticeShown());
    if (tray) {
        window().sendMessage(kMsgTrayCallback, 0, kMsgLButtonUp);
        loop.runPending();
        EXPECT_TRUE(window().visible());
    }
}

INSTANTIATE_TEST_SUITE_P(Desktops, HiddenStart, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& desktop) {
                             return desktop.param ? "WithATray" : "WithoutATray";
                         });

// A secondary window minimised and asked for again is not lost: it comes back to the front.
TEST_F(ProgramWindowTest, AboutAskedForAgainWhileOpenComesBackToTheFront) {
    start();
    bool acted = false;
    host.actInModal([&](ui::Window& about) {
        acted = true;
        about.find("minbtn")->event(ui::UiEvent::of(ui::EventType::Click));
        loop.runPending();
        EXPECT_TRUE(system.isMinimised);
        chooseTrayItem("about_menu");
        EXPECT_EQ(system.calls.back(), "front");
        EXPECT_FALSE(system.isMinimised);
        about.close(0);
    });
    chooseTrayItem("about_menu");
    EXPECT_TRUE(acted);
}

TEST_F(ProgramWindowTest, TrayMenuExitEndsTheLoop) {
    start();
    chooseTrayItem("exit");
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(window().visible());
}

} // namespace
} // namespace morva::app::test
