#include "tests/toolkit/toolkit_fixture.h"
#include "ui/toolkit/button.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/layout.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"

namespace morva::ui::test {
namespace {

using WindowTest = ToolkitTest;

// Records what observers are told.
struct RecordingObserver : UiObserver {
    void controlChanged(Window&, Control& c, Property p) override {
        changes.push_back(c.name() + ":" + std::string(propertyName(p)));
    }
    void controlAdded(Window&, Control& c) override { added.push_back(c.name()); }
    void controlRemoving(Window&, Control& c) override { removing.push_back(c.name()); }
    void windowChanged(Window&, WindowChange change) override { windowChanges.push_back(change); }
    std::vector<std::string> changes;
    std::vector<std::string> added;
    std::vector<std::string> removing;
    std::vector<WindowChange> windowChanges;
};

TEST_F(WindowTest, FindByNameInTheWindowAndBelowAControl) {
    auto window = mainWindow();
    Control* notice = window->find("No_device_Link");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->className(), "VerticalLayout");
    EXPECT_EQ(window->find("no_such_control"), nullptr);
    EXPECT_EQ(window->find(""), nullptr);
    // Find is exact; routing that ignores case compares names itself.
    EXPECT_EQ(window->find("no_device_link"), nullptr);

    Container* bar = window->findAs<Container>("title_bar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->findDescendant("closebtn"), window->find("closebtn"));
    EXPECT_EQ(bar->findDescendant("nodevice_ok_btn"), nullptr);
    EXPECT_EQ(notice->asContainer()->findDescendant("nodevice_ok_btn"),
              window->find("nodevice_ok_btn"));
    // The wrong kind reads as none.
    EXPECT_EQ(window->findAs<Combo>("closebtn"), nullptr);
}

TEST_F(WindowTest, WindowInitComesFirstThenNotificationsInSendingOrderOnTheLoop) {
    auto window = mainWindow();
    EXPECT_EQ(drain(), std::vector<std::string>{"windowinit:root"});

    auto* tab = static_cast<Option*>(
        window->findAs<Container>("status_bar")->add(std::make_unique<Option>()));
    tab->setName("key_Op_tab");
    window->findAs<Button>("closebtn")->activate();
    tab->activate();
    window->find("str_test")->sendNotify("custom_kind", 5, 6);
    window->findAs<Button>("minbtn")->event(UiEvent::of(EventType::Click));
    // Nothing is delivered until the interface thread runs.
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(drain(), (std::vector<std::string>{"click:closebtn", "click:key_Op_tab",
                                                 "selectchanged:key_Op_tab", "custom_kind:str_test",
                                                 "click:minbtn"}));
}

TEST_F(WindowTest, NotificationCarriesSenderAndParameters) {
    auto window = mainWindow();
    drain();
    std::vector<Notification> got;
    window->setNotifyHandler([&](const Notification& n) { got.push_back(n); });
    Control* sender = window->find("str_test");
    sender->sendNotify(notify::kTimer, 1005, 7);
    loop.runPending();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_TRUE(got[0].is(notify::kTimer));
    EXPECT_EQ(got[0].sender.get(), sender);
    EXPECT_EQ(got[0].wParam, 1005);
    EXPECT_EQ(got[0].lParam, 7);
    EXPECT_TRUE(got[0].senderNamed("STR_Test"));
    EXPECT_FALSE(got[0].senderNamed("str_test_2"));
}

TEST_F(WindowTest, NotificationOfADestroyedControlIsDropped) {
    auto window = mainWindow();
    drain();
    auto* bar = window->findAs<Container>("device_select_layout");
    Control* tab = bar->add(std::make_unique<Button>());
    tab->setName("tab_1");
    tab->sendNotify(notify::kClick);
    bar->remove(tab); // destroyed here
    window->findAs<Button>("closebtn")->activate();
    EXPECT_EQ(drain(), std::vector<std::string>{"click:closebtn"});
}

TEST_F(WindowTest, DisabledButtonSendsNothing) {
    auto window = mainWindow();
    drain();
    window->find("title_bar")->setEnabled(false);
    EXPECT_FALSE(window->findAs<Button>("closebtn")->activate());
    EXPECT_TRUE(drain().empty());
}

TEST_F(WindowTest, SentMessagesAnswerAtOncePostedOnesLaterInOrder) {
    Window window(toolkit);
    window.create("MainWnd", "t", {100, 100});
    std::vector<uint32_t> seen;
    window.setMessageHandler([&](const WindowMessage& m) -> std::optional<int64_t> {
        seen.push_back(m.id);
        if (m.id == 0x0C12) {
            return m.wParam * 2;
        }
        return std::nullopt;
    });
    EXPECT_EQ(window.sendMessage(0x0C12, 21), 42);
    EXPECT_EQ(window.sendMessage(0x0C13), 0); // left to the default handling
    window.postMessage(0x0C15);
    window.postMessage(0x0C16);
    EXPECT_EQ(seen.size(), 2u);
    loop.runPending();
    EXPECT_EQ(seen, (std::vector<uint32_t>{0x0C12, 0x0C13, 0x0C15, 0x0C16}));
}

TEST_F(WindowTest, MessagePostedToAWindowThatIsGoneIsDropped) {
    auto window = std::make_unique<Window>(toolkit);
    int handled = 0;
    window->setMessageHandler([&](const WindowMessage&) -> std::optional<int64_t> {
        ++handled;
        return 0;
    });
    window->postMessage(0x0401);
    window.reset();
    loop.runPending();
    EXPECT_EQ(handled, 0);
}

TEST_F(WindowTest, HandlersMayDestroyTheirWindow) {
    auto window = std::make_unique<Window>(toolkit);
    int gone = 0;
    window->setMessageHandler([&](const WindowMessage& m) -> std::optional<int64_t> {
        if (m.id == kMsgDestroy) {
            window.reset();
            ++gone;
        }
        return std::nullopt;
    });
    window->postMessage(kMsgDestroy);
    window->postMessage(kMsgDestroy); // finds the window gone
    loop.runPending();
    EXPECT_EQ(gone, 1);

    window = mainWindow();
    drain();
    window->setNotifyHandler([&](const Notification&) { window.reset(); });
    window->find("closebtn")->event(UiEvent::of(EventType::Click));
    window->find("minbtn")->event(UiEvent::of(EventType::Click));
    loop.runPending();
    EXPECT_EQ(window, nullptr);
}

TEST_F(WindowTest, ModalRunReturnsTheScriptedCode) {
    Window box(toolkit);
    box.create("MsgWnd", "msgwnd", {400, 200});
    host.answerModal(7);
    EXPECT_EQ(box.showModal(), 7);
    EXPECT_TRUE(box.closed());
    EXPECT_FALSE(box.visible());
    EXPECT_EQ(host.modalRuns, std::vector<std::string>{"MsgWnd"});
}

TEST_F(WindowTest, ModalRunEndsWithTheCodeTheWindowsHandlerCloses) {
    Window box(toolkit);
    box.create("MsgWnd", "msgwnd", {400, 200});
    ASSERT_TRUE(box.loadSkin("XML_MAIN"));
    box.setNotifyHandler([&](const Notification& n) {
        if (n.is(notify::kClick) && n.senderName == "nodevice_ok_btn") {
            box.close(1);
        }
    });
    host.actInModal([](Window& w) { w.findAs<Button>("nodevice_ok_btn")->activate(); });
    host.actInModal([](Window& w) { w.findAs<Button>("minbtn")->activate(); }); // closes nothing
    EXPECT_EQ(box.showModal(), 1);
    EXPECT_EQ(box.showModal(), ScriptedHost::kUnclosedModalCode);
    EXPECT_EQ(box.showModal(), 0); // nothing scripted
    EXPECT_EQ(host.unscripted, 1);
}

TEST_F(WindowTest, CentresOnTheScreenOrOnItsOwner) {
    host.setScreenSize({1920, 1080});
    Window main(toolkit);
    main.create("MainWnd", "t", {1000, 640});
    main.centre();
    EXPECT_EQ(main.position(), (Point{460, 220}));
    Window box(toolkit);
    box.create("MsgWnd", "m", {400, 200}, &main);
    box.centre();
    EXPECT_EQ(box.position(), (Point{460 + 300, 220 + 220}));
}

// Sizes scale by DPI / 96, per window and for all windows.
struct DpiCase {
    int dpi;
    Size window;  // of 1000 x 640
    Size control; // of a 28 x 28 button
    Rect pos;     // of a floating control at 0,0,1000,500
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const DpiCase& c, std::ostream* os) {
    *os << c.dpi;
}

class DpiTest : public ToolkitTest, public ::testing::WithParamInterface<DpiCase> {};

TEST_P(DpiTest, SizesScaleByDpiOver96) {
    const DpiCase& c = GetParam();
    auto window = mainWindow();
    Window other(toolkit);
    other.create("MsgWnd", "m", {400, 200});
    Control* floating = window->find("device_switch");
    ASSERT_TRUE(floating->setAttribute("float", "true"));
    ASSERT_TRUE(floating->setAttribute("pos", "0,0,1000,500"));
    toolkit.setAllDpi(c.dpi);
    EXPECT_EQ(window->dpi(), c.dpi);
    EXPECT_EQ(other.dpi(), c.dpi);
    EXPECT_EQ(window->scaledSize(), c.window);
    EXPECT_EQ(window->find("closebtn")->scaledFixedSize(), c.control);
    EXPECT_EQ(floating->scaledPos(), c.pos);
    // The skin's own numbers do not change.
    EXPECT_EQ(window->size(), (Size{1000, 640}));
    EXPECT_EQ(window->find("closebtn")->fixedWidth(), 28);
}

INSTANTIATE_TEST_SUITE_P(Toolkit, DpiTest,
                         ::testing::Values(DpiCase{96, {1000, 640}, {28, 28}, {0, 0, 1000, 500}},
                                           DpiCase{120, {1250, 800}, {35, 35}, {0, 0, 1250, 625}},
                                           DpiCase{144, {1500, 960}, {42, 42}, {0, 0, 1500, 750}},
                                           DpiCase{72, {750, 480}, {21, 21}, {0, 0, 750, 375}},
                                           DpiCase{
                                               192, {2000, 1280}, {56, 56}, {0, 0, 2000, 1000}}),
                         [](const auto& param) { return "Dpi" + std::to_string(param.param.dpi); });

TEST_F(WindowTest, DpiIsPerWindowAndRefusesNonsense) {
    auto window = mainWindow();
    Window other(toolkit);
    RecordingObserver observer;
    window->addObserver(&observer);
    EXPECT_TRUE(window->setDpi(144));
    EXPECT_EQ(other.dpi(), 96);
    EXPECT_FALSE(window->setDpi(0));
    EXPECT_EQ(window->dpi(), 144);
    EXPECT_EQ(observer.windowChanges, std::vector<WindowChange>{WindowChange::Dpi});
    EXPECT_EQ(DpiScale(144).scale(5), 8); // 7.5 rounds up
    EXPECT_EQ(DpiScale(120).scale(-3), -4);
    window->removeObserver(&observer);
}

TEST_F(WindowTest, ObserversHearWhatChangedOnlyWhenItChanged) {
    auto window = mainWindow();
    RecordingObserver observer;
    window->addObserver(&observer);
    Control* notice = window->find("No_device_Link");
    notice->setVisible(false);
    notice->setVisible(false);
    window->find("setbtn")->setForeImage("common/badge.png");
    window->find("root")->setBkColor(0xFF102030);
    window->find("str_test")->setText("x");
    auto page = std::make_unique<VerticalLayout>();
    page->setName("page_kb");
    window->findAs<TabLayout>("device_switch")->add(std::move(page));
    EXPECT_EQ(observer.changes, (std::vector<std::string>{
                                    "No_device_Link:visible", "setbtn:foreimage", "root:bkcolor",
                                    "str_test:text", "device_switch:children"}));
    EXPECT_EQ(observer.added, std::vector<std::string>{"page_kb"});
    auto* pages = window->findAs<TabLayout>("device_switch");
    auto removed = pages->remove(pages->childAt(0));
    EXPECT_EQ(observer.removing, std::vector<std::string>{"page_kb"});
    EXPECT_EQ(removed->window(), nullptr);
    window->removeObserver(&observer);
}

TEST_F(WindowTest, ToolkitObserverSeesEveryWindow) {
    RecordingObserver observer;
    toolkit.addObserver(&observer);
    auto window = mainWindow();
    window->show();
    window->close(3);
    // The skin gives the main window its size and its minimum size.
    EXPECT_EQ(observer.windowChanges,
              (std::vector<WindowChange>{WindowChange::Created, WindowChange::Geometry,
                                         WindowChange::Geometry, WindowChange::Shown,
                                         WindowChange::Hidden, WindowChange::Closed}));
    EXPECT_EQ(observer.added, std::vector<std::string>{"root"});
    EXPECT_EQ(window->closeCode(), 3);
    toolkit.removeObserver(&observer);
}

TEST_F(WindowTest, WindowTimersReachTheMessageHandler) {
    Window window(toolkit);
    std::vector<std::pair<int64_t, TickMs>> fired;
    window.setMessageHandler([&](const WindowMessage& m) -> std::optional<int64_t> {
        if (m.id == kMsgTimer) {
            fired.emplace_back(m.wParam, loop.clock().nowMs());
            window.killTimer(static_cast<int>(m.wParam)); // one-shot, as the main window uses them
        }
        return 0;
    });
    window.setTimer(1055, 400);
    loop.advance(100);
    window.setTimer(1055, 400); // a second choice restarts it
    window.setTimer(1011, 100);
    loop.advance(1000);
    EXPECT_EQ(fired, (std::vector<std::pair<int64_t, TickMs>>{{1011, 200}, {1055, 500}}));
}

// Where the layout puts the main skin's pieces, at two scales.
struct LayoutCase {
    int dpi;
    Rect titleBar, closeButton, deviceBar, pageArea, notice, statusBar;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.dpi;
}

class LayoutTest : public ToolkitTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutTest, MainSkinIsPlacedByItsSizesAtTheWindowsScale) {
    const LayoutCase& c = GetParam();
    auto window = mainWindow();
    window->setDpi(c.dpi);
    layoutWindow(*window);
    EXPECT_EQ(window->find("title_bar")->layoutRect(), c.titleBar);
    EXPECT_EQ(window->find("closebtn")->layoutRect(), c.closeButton);
    EXPECT_EQ(window->find("device_bar")->layoutRect(), c.deviceBar);
    EXPECT_EQ(window->find("device_page_area")->layoutRect(), c.pageArea);
    EXPECT_EQ(window->find("No_device_Link")->layoutRect(), c.notice);
    EXPECT_EQ(window->find("status_bar")->layoutRect(), c.statusBar);
}

INSTANTIATE_TEST_SUITE_P(Toolkit, LayoutTest,
                         ::testing::Values(LayoutCase{96,
                                                      {0, 0, 1000, 40},
                                                      {964, 6, 992, 34},
                                                      {0, 40, 1000, 104},
                                                      {0, 104, 1000, 604},
                                                      {0, 104, 1000, 604},
                                                      {0, 604, 1000, 640}},
                                           LayoutCase{144,
                                                      {0, 0, 1500, 60},
                                                      {1446, 9, 1488, 51},
                                                      {0, 60, 1500, 156},
                                                      {0, 156, 1500, 906},
                                                      {0, 156, 1500, 906},
                                                      {0, 906, 1500, 960}}),
                         [](const auto& param) { return "Dpi" + std::to_string(param.param.dpi); });

TEST_F(WindowTest, HiddenChildrenLeaveTheirRoomToTheOthers) {
    auto window = mainWindow();
    window->find("status_bar")->setVisible(false);
    layoutWindow(*window);
    EXPECT_EQ(window->find("device_page_area")->layoutRect(), (Rect{0, 104, 1000, 640}));
    // Equal shares of what the fixed children leave.
    auto* bar = window->findAs<Container>("device_bar");
    for (const auto& child : bar->children()) {
        child->setFixedWidth(0);
    }
    layoutWindow(*window);
    // 1000 - 16 inset - 2 x 8 gaps = 968 over 3 children: 322 each, the last takes the rest.
    EXPECT_EQ(bar->childAt(0)->layoutRect(), (Rect{8, 48, 330, 96}));
    EXPECT_EQ(bar->childAt(1)->layoutRect(), (Rect{338, 48, 660, 96}));
    EXPECT_EQ(bar->childAt(2)->layoutRect(), (Rect{668, 48, 992, 96}));
}

} // namespace
} // namespace morva::ui::test
