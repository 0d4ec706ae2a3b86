#include "profiles/list/profile_tabs.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

TEST(ProfileTabs, NumbersOneToEightNameTheTabsAndOthersNone) {
    EXPECT_EQ(profiles::profileTabOption(1), "deng_Op_tab");
    EXPECT_EQ(profiles::profileTabOption(4), "system_Op_tab");
    EXPECT_EQ(profiles::profileTabOption(8), "Virtual7.1_Op_tab");
    for (int number : {-1, 0, 9}) {
        EXPECT_TRUE(profiles::profileTabOption(number).empty()) << number;
    }
}

struct TabCase {
    int deviceType;
    std::vector<profiles::TabVisibility> expected;
};

void PrintTo(const TabCase& c, std::ostream* os) {
    *os << "device type " << c.deviceType;
}

class ProfileTabVisibility : public testing::TestWithParam<TabCase> {};

TEST_P(ProfileTabVisibility, HidesTheTabsTheDeviceTypeLacks) {
    EXPECT_EQ(profiles::profileTabVisibility(GetParam().deviceType), GetParam().expected);
}

const profiles::TabVisibility kCursor{"cursor_Op_tab", false};
const profiles::TabVisibility kMacro{"macro_Op_tab", false};
const profiles::TabVisibility kSystem{"system_Op_tab", false};
const profiles::TabVisibility kKey{"key_Op_tab", false};
// A mouse's gun keys live on the page the headset's voice changer has.
const profiles::TabVisibility kGunKeys{"magic_Op_tab", true, "shoot_tab_text", "shoot_tab_tip"};

INSTANTIATE_TEST_SUITE_P(
    Types, ProfileTabVisibility,
    testing::Values(TabCase{1, {kCursor}}, TabCase{2, {kGunKeys}}, TabCase{6, {kGunKeys}},
                    TabCase{0, {}}, TabCase{3, {kCursor, kMacro, kSystem, kKey}},
                    TabCase{5, {kCursor, kMacro, kSystem, kKey}},
                    TabCase{4, {kCursor, kMacro, kKey}},
                    TabCase{7,
                            {kCursor,
                             kMacro,
                             kSystem,
                             kKey,
                             {"6533_voice_Op_tab", true},
                             {"magic_Op_tab", true, "voice_tab_text", "voice_tab_tip"},
                             {"Virtual7.1_Op_tab", true}}}));

} // namespace
} // namespace morva
