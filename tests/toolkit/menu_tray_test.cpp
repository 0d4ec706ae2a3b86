#include "tests/toolkit/toolkit_fixture.h"
#include "ui/toolkit/menu.h"
#include "ui/toolkit/tray_icon.h"

namespace morva::ui::test {
namespace {

struct MenuObserver : UiObserver {
    void menuShown(Menu& m) override {
        events.push_back("shown@" + std::to_string(m.position().x));
    }
    void menuClosed(Menu& m) override {
        events.push_back("closed@" + std::to_string(m.position().x));
    }
    void trayChanged(TrayIcon& t) override { events.push_back("tray:" + t.toolTip()); }
    std::vector<std::string> events;
};

class MenuTrayTest : public ToolkitTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(toolkit.loadLanguageFile("lan_en.xml"));
        window = mainWindow();
        window->setMessageHandler([this](const WindowMessage& m) -> std::optional<int64_t> {
            messages.push_back(m);
            return 0;
        });
        toolkit.addObserver(&observer);
    }
    void TearDown() override { toolkit.removeObserver(&observer); }
    std::unique_ptr<Window> window;
    std::vector<WindowMessage> messages;
    MenuObserver observer;
};

TEST_F(MenuTrayTest, ChosenMenuItemReachesTheOwnerAsMessage0x0479) {
    Menu* menu = toolkit.showMenu(*window, "menu.xml", {640, 700});
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->items().size(), 3u);
    EXPECT_EQ(menu->itemText(menu->items()[2]), "Exit");
    EXPECT_FALSE(menu->choose("no_such_item"));
    EXPECT_TRUE(menu->choose("exit"));
    EXPECT_EQ(toolkit.currentMenu(), nullptr);
    EXPECT_TRUE(messages.empty());
    loop.runPending();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].id, 0x0479u);
    const auto* record = std::any_cast<MenuItemRecord>(&messages[0].payload);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->name, "exit");
    EXPECT_EQ(record->text, "Exit");
    EXPECT_EQ(observer.events, (std::vector<std::string>{"shown@640", "closed@640"}));
}

TEST_F(MenuTrayTest, ANewMenuClosesThePreviousOneAndABadOneShowsNothing) {
    toolkit.showMenu(*window, "XML_MENU", {1, 1});
    toolkit.showMenu(*window, "menu.xml", {2, 2});
    EXPECT_EQ(toolkit.showMenu(*window, "XML/main.xml", {3, 3}), nullptr); // not a menu
    EXPECT_EQ(toolkit.showMenu(*window, "nothing.xml", {4, 4}), nullptr);
    EXPECT_EQ(observer.events,
              (std::vector<std::string>{"shown@1", "closed@1", "shown@2", "closed@2"}));
}

TEST_F(MenuTrayTest, MenuOfAWindowThatGoesAwayCloses) {
    toolkit.showMenu(*window, "menu.xml", {5, 5});
    window.reset();
    EXPECT_EQ(toolkit.currentMenu(), nullptr);
}

TEST_F(MenuTrayTest, TrayReportsMouseActionsWithItsCallbackMessage) {
    TrayIcon& tray = toolkit.tray();
    EXPECT_FALSE(tray.userAction(kMsgLButtonUp));
    tray.create(*window, 107, "QT4410-VIGOR MORVA", 0x0401);
    EXPECT_TRUE(tray.visible());
    EXPECT_TRUE(tray.userAction(kMsgLButtonUp));
    EXPECT_TRUE(tray.userAction(kMsgRButtonUp));
    loop.runPending();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].id, 0x0401u);
    EXPECT_EQ(messages[0].lParam, kMsgLButtonUp);
    EXPECT_EQ(messages[1].lParam, kMsgRButtonUp);
    tray.setToolTip("tip");
    window.reset(); // the tray goes with its window
    EXPECT_FALSE(tray.exists());
    EXPECT_EQ(observer.events,
              (std::vector<std::string>{"tray:QT4410-VIGOR MORVA", "tray:tip", "tray:tip"}));
}

} // namespace
} // namespace morva::ui::test
