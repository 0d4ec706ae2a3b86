#include "app/main_window_chrome.h"
#include "headless_fixture.h"
#include "tests/support/fake_window_system.h"
#include "ui/toolkit/menu.h"

#include <gmock/gmock.h>

namespace morva::app::test {
namespace {

using ::testing::ElementsAre;

using morva::test::FakeWindowSystem;

class ChromeTest : public HeadlessTest {
protected:
    ChromeTest() {
        main = mainWindow();
        router.attachTo(*main);
        ChromeHooks hooks;
        hooks.setLightOutput = [this](int32_t v) {
            lightOutputs.push_back(v);
        };
        hooks.setPreviewActive = [this](int32_t v) {
            previews.push_back(v);
        };
        hooks.lightControlValue = [this] {
            return lightControl;
        };
        hooks.updateNoDeviceNotice = [this] {
            ++noticeUpdates;
        };
        hooks.closeSecondaryWindows = [this] {
            events.emplace_back("close-secondary");
        };
        hooks.openAbout = [this] {
            events.emplace_back("about");
        };
        hooks.openSettings = [this] {
            events.emplace_back("settings");
        };
        hooks.exit = [this] {
            events.emplace_back("exit");
        };
        hooks.resumed = [this] {
            events.emplace_back("resumed");
        };
        chrome = std::make_unique<MainWindowChrome>(*main, router, system, std::move(hooks));
        main->show();
        loop.runPending();
    }

    std::unique_ptr<ui::Window> main;
    ui::NotificationRouter router;
    FakeWindowSystem system;
    std::unique_ptr<MainWindowChrome> chrome;
    std::vector<int32_t> lightOutputs;
    std::vector<int32_t> previews;
    std::vector<std::string> events;
    int32_t lightControl = 1;
    int noticeUpdates = 0;
};

TEST_F(ChromeTest, InitialiseCreatesTheTrayIconAndAdjustsAfter100Ms) {
    system.monitor = {1920, 1080};
    chrome->initialise();
    const ui::TrayIcon& tray = toolkit.tray();
    EXPECT_TRUE(tray.exists());
    EXPECT_EQ(tray.toolTip(), "QT4410-VIGOR MORVA");
    EXPECT_EQ(tray.iconResource(), 107);
    EXPECT_EQ(tray.callbackMessage(), kMsgTrayCallback);
    loop.advance(99);
    EXPECT_EQ(main->dpi(), 96);
    loop.advance(1);
    EXPECT_EQ(main->dpi(), 144);
    EXPECT_EQ(main->size(), (ui::Size{1000, 640}));
    EXPECT_EQ(main->scaledSize(), (ui::Size{1500, 960}));
    EXPECT_TRUE(main->visible());
    loop.advance(500); // the timer was killed when it fired
    EXPECT_EQ(std::count(system.calls.begin(), system.calls.end(), "restore"), 0);
}

TEST_F(ChromeTest, DisplayAdjustmentBySizeOfMonitor) {
    struct Case {
        ui::Size monitor;
        int dpi;
    };
    for (const Case& c : {Case{{1920, 1080}, 144}, Case{{1366, 768}, 96}, Case{{1501, 960}, 96},
                          Case{{1501, 961}, 144}}) {
        system.monitor = c.monitor;
        chrome->adjustDisplay();
        EXPECT_EQ(main->dpi(), c.dpi) << c.monitor.cx << "x" << c.monitor.cy;
        EXPECT_EQ(main->size(), (ui::Size{1000, 640}));
    }
}

TEST_F(ChromeTest, AdjustingAHiddenWindowKeepsItHidden) {
    main->hide();
    chrome->adjustDisplay();
    EXPECT_FALSE(main->visible());
}

TEST_F(ChromeTest, CloseButtonHidesToTheTrayOrMinimisesWithoutOne) {
    chrome->initialise();
    click(*main, "closebtn");
    loop.runPending();
    EXPECT_FALSE(main->visible());
    EXPECT_THAT(events, ElementsAre("close-secondary"));

    main->show();
    system.tray = false;
    click(*main, "closebtn");
    loop.runPending();
    EXPECT_TRUE(main->visible());
    EXPECT_TRUE(system.isMinimised);

    // The platform's close does the same.
    EXPECT_EQ(main->sendMessage(kMsgClose), 1);
}

TEST_F(ChromeTest, TheNoDeviceButtonSaysWhereTheWindowGoes) {
    ASSERT_TRUE(toolkit.loadLanguageFile("lan_en.xml"));
    chrome->initialise();
    EXPECT_EQ(main->find("nodevice_ok_btn")->text(), "Keep in the tray");

    system.tray = false;
    chrome->initialise();
    EXPECT_EQ(main->find("nodevice_ok_btn")->text(), "Minimise");
    click(*main, "nodevice_ok_btn");
    loop.runPending();
    EXPECT_TRUE(system.isMinimised);
}

TEST_F(ChromeTest, TitleBarButtons) {
    click(*main, "minbtn");
    loop.runPending();
    EXPECT_THAT(system.calls, ElementsAre("minimise"));
    main->find("maxbtn")->setVisible(true);
    click(*main, "maxbtn");
    loop.runPending();
    EXPECT_FALSE(main->find("maxbtn")->visible());
    EXPECT_TRUE(main->find("restorebtn")->visible());
    click(*main, "restorebtn");
    loop.runPending();
    EXPECT_TRUE(main->find("maxbtn")->visible());
    EXPECT_FALSE(main->find("restorebtn")->visible());
    EXPECT_THAT(system.calls, ElementsAre("minimise", "maximise", "restore"));
}

TEST_F(ChromeTest, TrayLeftClickTogglesTheWindow) {
    chrome->initialise();
    ASSERT_TRUE(toolkit.tray().userAction(kMsgLButtonUp));
    loop.runPending();
    EXPECT_FALSE(main->visible());
    EXPECT_EQ(noticeUpdates, 1);

    toolkit.tray().userAction(kMsgLButtonUp);
    loop.runPending();
    EXPECT_TRUE(main->visible());
    EXPECT_EQ(noticeUpdates, 2);
    EXPECT_EQ(system.calls.back(), "front");

    // A minimised window comes back instead of hiding.
    system.isMinimised = true;
    toolkit.tray().userAction(kMsgLButtonUp);
    loop.runPending();
    EXPECT_TRUE(main->visible());
    EXPECT_FALSE(system.isMinimised);
}

TEST_F(ChromeTest, TrayRightClickShowsTheMenu10MsLater) {
    chrome->initialise();
    loop.advance(100);
    host.setCursorPos({700, 500});
    toolkit.tray().userAction(kMsgRButtonUp);
    loop.runPending();
    EXPECT_EQ(toolkit.currentMenu(), nullptr);
    loop.advance(10);
    ui::Menu* menu = toolkit.currentMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->position(), (ui::Point{700, 500}));
    ASSERT_NE(menu->find("exit"), nullptr);

    for (const char* item : {"setwnd_menu", "about_menu", "exit"}) {
        toolkit.showMenu(*main, "XML_MENU", {0, 0})->choose(item);
        loop.runPending();
    }
    EXPECT_THAT(events, ElementsAre("settings", "about", "exit"));
}

TEST_F(ChromeTest, SuspendIgnoresMessagesUntilResume) {
    int attached = 0;
    router.onMessage(0x0C12, [&](const ui::WindowMessage&) -> std::optional<int64_t> {
        ++attached;
        return 1;
    });
    lightControl = 0; // another program holds the lighting
    main->sendMessage(kMsgPowerBroadcast, kPowerSuspend);
    EXPECT_TRUE(chrome->suspended());
    main->sendMessage(0x0C12);
    EXPECT_EQ(attached, 0);
    toolkit.tray().create(*main, 107, "x", kMsgTrayCallback);
    main->sendMessage(kMsgTrayCallback, 0, kMsgLButtonUp);
    EXPECT_TRUE(main->visible());

    // Activation still counts while suspended.
    main->sendMessage(kMsgActivate, 1);
    EXPECT_THAT(previews, ElementsAre(1));

    main->sendMessage(kMsgPowerBroadcast, kPowerResumeAutomatic);
    EXPECT_FALSE(chrome->suspended());
    main->sendMessage(0x0C12);
    EXPECT_EQ(attached, 1);
    EXPECT_THAT(lightOutputs, ElementsAre(0, 0));
    EXPECT_THAT(events, ElementsAre("resumed"));
}

TEST_F(ChromeTest, PreviewActivityFollowsActivationAndThePointer) {
    main->sendMessage(kMsgMouseHover); // inactive: the pointer counts
    main->sendMessage(kMsgMouseLeave);
    main->sendMessage(kMsgActivate, 1);
    main->sendMessage(kMsgMouseLeave); // active: the pointer is ignored
    EXPECT_EQ(chrome->pointerOverWindow(), 1);
    main->sendMessage(kMsgActivate, 0);
    EXPECT_EQ(chrome->windowActive(), 0);
    EXPECT_THAT(previews, ElementsAre(1, 0, 1, 0));
}

TEST_F(ChromeTest, InstanceMessageBringsTheWindowBack) {
    main->hide();
    chrome->onInstanceMessage();
    EXPECT_TRUE(main->visible());
    EXPECT_EQ(system.calls.back(), "front");
    EXPECT_EQ(noticeUpdates, 1);
}

TEST_F(ChromeTest, DisplayAndDpiChanges) {
    system.monitor = {1920, 1080};
    main->sendMessage(kMsgDisplayChange);
    EXPECT_TRUE(chrome->displayChanged());
    EXPECT_EQ(main->dpi(), 144);
    main->sendMessage(kMsgDpiChanged, 120);
    EXPECT_EQ(main->dpi(), 120);
    main->sendMessage(kMsgDpiChanged, 100); // unsupported: 96
    EXPECT_EQ(main->dpi(), 96);
}

} // namespace
} // namespace morva::app::test
