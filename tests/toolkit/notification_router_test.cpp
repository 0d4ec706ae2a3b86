#include "ui/toolkit/notification_router.h"

#include <gtest/gtest.h>

namespace morva::ui {
namespace {

ui::Notification notification(std::string type, std::string sender) {
    ui::Notification n;
    n.type = std::move(type);
    n.senderName = std::move(sender);
    return n;
}

TEST(NotificationRouter, RoutesByTypeAndNameWithoutCaseInTheOrderAdded) {
    NotificationRouter router;
    std::vector<std::string> seen;
    router.on("click", "closebtn", [&](const ui::Notification&) { seen.push_back("close"); });
    router.on("click", "",
              [&](const ui::Notification& n) { seen.push_back("any:" + n.senderName); });
    router.on("selectchanged", "closebtn", [&](const ui::Notification&) { seen.push_back("sel"); });

    EXPECT_TRUE(router.dispatch(notification("click", "CloseBtn")));
    EXPECT_TRUE(router.dispatch(notification("click", "minbtn")));
    EXPECT_FALSE(router.dispatch(notification("timer", "closebtn")));

    const std::vector<std::string> expected = {"close", "any:CloseBtn", "any:minbtn"};
    EXPECT_EQ(seen, expected);
}

TEST(NotificationRouter, FamilyRoutesGetTheNumberAfterThePrefix) {
    NotificationRouter router;
    std::vector<int> numbers;
    router.onFamily("click", "windowdeviceset_",
                    [&](const ui::Notification&, int n) { numbers.push_back(n); });
    for (const char* name : {"windowdeviceset_3", "WindowDeviceSet_12", "windowdeviceset_",
                             "windowdeviceset_x", "windowdeviceset_4a", "other_5"}) {
        router.dispatch(notification("click", name));
    }
    EXPECT_EQ(numbers, (std::vector<int>{3, 12}));
}

TEST(NotificationRouter, FirstMessageHandlerWithAnAnswerWins) {
    NotificationRouter router;
    int calls = 0;
    router.onMessage(0x0C12, [&](const ui::WindowMessage&) -> std::optional<int64_t> {
        ++calls;
        return std::nullopt;
    });
    router.onMessage(0x0C12, [&](const ui::WindowMessage& m) -> std::optional<int64_t> {
        ++calls;
        return m.wParam * 2;
    });
    router.onMessage(0x0C12, [&](const ui::WindowMessage&) -> std::optional<int64_t> {
        ADD_FAILURE() << "not reached once answered";
        return 0;
    });
    EXPECT_EQ(router.dispatch(ui::WindowMessage{0x0C12, 21, 0, {}}), 42);
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(router.dispatch(ui::WindowMessage{0x0C13, 0, 0, {}}).has_value());
}

} // namespace
} // namespace morva::ui
