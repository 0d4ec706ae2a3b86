#include "app/shell_messages.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace morva {
namespace {

using platform::Message;
using platform::MessageKind;

class ShellMessageRouterTest : public ::testing::Test {
protected:
    std::vector<std::pair<uint32_t, int32_t>> instances_;
    std::vector<int32_t> lightOutputs_;
    int announcements_ = 0;
    app::LightControl lightControl_{[this](int32_t value) { lightOutputs_.push_back(value); },
                                    [this](uint32_t, int32_t) {
                                        ++announcements_;
                                    }};
    app::ShellMessageRouter router_{
        [this](uint32_t wParam, int32_t lParam) { instances_.emplace_back(wParam, lParam); },
        lightControl_};
};

TEST_F(ShellMessageRouterTest, InstanceMessagesReachTheWindow) {
    router_.route({MessageKind::Instance, 0, 1});
    router_.route({MessageKind::Instance, 0, 0});
    EXPECT_EQ(instances_, (std::vector<std::pair<uint32_t, int32_t>>{{0, 1}, {0, 0}}));
}

TEST_F(ShellMessageRouterTest, ForwardMessagesReachOnlyAnOpenSettingsWindowUnchanged) {
    router_.route({MessageKind::Forward, 1, 2}); // no settings window: ignored
    std::vector<Message> forwarded;
    router_.setForwardTarget([&](const Message& message) { forwarded.push_back(message); });
    router_.route({MessageKind::Forward, 3, -4});
    router_.clearForwardTarget();
    router_.route({MessageKind::Forward, 5, 6});
    EXPECT_EQ(forwarded, (std::vector<Message>{{MessageKind::Forward, 3, -4}}));
    EXPECT_TRUE(instances_.empty());
}

TEST_F(ShellMessageRouterTest, LightControlMessagesSetLightControlWithoutAnnouncing) {
    router_.route({MessageKind::LightControl, 0, 0});
    router_.route({MessageKind::LightControl, 1, 0});
    router_.route({MessageKind::LightControl, 7, 1});
    EXPECT_EQ(lightControl_.value(), 0);
    router_.route({MessageKind::LightControl, 1, 1});
    EXPECT_EQ(lightOutputs_, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(announcements_, 0);
}

TEST_F(ShellMessageRouterTest, AnnouncementsFromOthersAreIgnored) {
    router_.route({MessageKind::Announce, 1, 0});
    EXPECT_EQ(lightControl_.value(), 1);
    EXPECT_TRUE(lightOutputs_.empty());
    EXPECT_TRUE(instances_.empty());
}

} // namespace
} // namespace morva
