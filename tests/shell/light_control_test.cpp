#include "app/light_control.h"
#include "base/virtual_event_loop.h"
#include "platform/ipc_client.h"
#include "platform/message_server.h"
#include "socket_test_support.h"
#include "ui/toolkit/language_store.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace morva {
namespace {

class LightControlTest : public ::testing::Test {
protected:
    app::LightControl control_{[this](int32_t value) { outputs_.push_back(value); },
                               [this](uint32_t wParam, int32_t lParam) {
                                   announced_.emplace_back(wParam, lParam);
                               }};
    std::vector<int32_t> outputs_;
    std::vector<std::pair<uint32_t, int32_t>> announced_;
};

TEST_F(LightControlTest, StartsInControlAndAnnouncesItAtStart) {
    EXPECT_EQ(control_.value(), 1);
    control_.announceStart();
    EXPECT_EQ(announced_, (std::vector<std::pair<uint32_t, int32_t>>{{1, 1}}));
    EXPECT_TRUE(outputs_.empty());
}

TEST_F(LightControlTest, MessagesWithWParamOneSetTheValueWithoutAnnouncing) {
    EXPECT_TRUE(control_.onLightControlMessage(1, 0));
    EXPECT_EQ(control_.value(), 0);
    EXPECT_TRUE(control_.onLightControlMessage(1, 1));
    EXPECT_EQ(control_.value(), 1);
    EXPECT_EQ(outputs_, (std::vector<int32_t>{0, 1}));
    EXPECT_TRUE(announced_.empty());
}

TEST_F(LightControlTest, OtherMessagesChangeNothing) {
    const std::vector<std::pair<uint32_t, int32_t>> ignored = {
        {0, 0}, {0, 1}, {2, 0}, {2, 1}, {0xFFFFFFFFu, 0}, {1, 2}, {1, -1},
    };
    for (const auto& [wParam, lParam] : ignored) {
        SCOPED_TRACE(testing::Message() << wParam << "," << lParam);
        EXPECT_FALSE(control_.onLightControlMessage(wParam, lParam));
        EXPECT_EQ(control_.value(), 1);
    }
    ASSERT_TRUE(control_.onLightControlMessage(1, 0));
    for (const auto& [wParam, lParam] : ignored) {
        EXPECT_FALSE(control_.onLightControlMessage(wParam, lParam));
        EXPECT_EQ(control_.value(), 0);
    }
    EXPECT_EQ(outputs_, (std::vector<int32_t>{0}));
}

TEST_F(LightControlTest, TheUsersToggleFlipsAndAnnouncesTheNewValue) {
    EXPECT_EQ(control_.toggle(), 0);
    EXPECT_EQ(control_.toggle(), 1);
    EXPECT_EQ(outputs_, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(announced_, (std::vector<std::pair<uint32_t, int32_t>>{{1, 0}, {1, 1}}));
}

TEST(LightControlTextTest, ButtonTextFollowsTheValueInEachLanguage) {
    struct Case {
        const char* file;
        const char* on;
        const char* off;
    };
    for (const Case& c : {Case{"lan_cn.xml", "控制灯光", "不控制灯光"},
                          Case{"lan_en.xml", "Controlling lights", "Lights released"}}) {
        ui::LanguageStore texts;
        ASSERT_TRUE(
            texts.load(std::filesystem::path(MORVA_SOURCE_DIR) / "resources/skin" / c.file));
        EXPECT_EQ(texts.resolve(app::lightControlButtonText(1)), c.on);
        EXPECT_EQ(texts.resolve(app::lightControlButtonText(0)), c.off);
    }
}

TEST(AnnounceTest, ListenersOfTheAnnounceNameReceiveIt) {
    // sendAnnounce goes to this user's announce socket; a test cannot own that socket without
    // colliding with a running program, so the same way is checked on a private socket.
    const std::string name = test::uniqueSocketPath("announce");
    VirtualEventLoop loop;
    platform::MessageServer listener(name);
    ASSERT_EQ(listener.listen(), platform::MessageServer::ListenResult::Listening);
    std::vector<platform::Message> received;
    ASSERT_TRUE(listener.start(loop, [&](const platform::Message& m) { received.push_back(m); }));
    app::LightControl control(nullptr, [&](uint32_t wParam, int32_t lParam) {
        platform::sendMessage(name, {platform::MessageKind::Announce, wParam, lParam});
    });
    control.announceStart();
    ASSERT_TRUE(loop.runUntil([&] { return received.size() == 1; }, 10'000));
    control.toggle();
    ASSERT_TRUE(loop.runUntil([&] { return received.size() == 2; }, 10'000));
    EXPECT_EQ(received, (std::vector<platform::Message>{{platform::MessageKind::Announce, 1, 1},
                                                        {platform::MessageKind::Announce, 1, 0}}));
}

} // namespace
} // namespace morva
