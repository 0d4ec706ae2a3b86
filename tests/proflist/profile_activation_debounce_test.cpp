#include "base/virtual_event_loop.h"
#include "profiles/list/profile_activation_debounce.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

struct Activated {
    int profile;
    TickMs at;
    bool operator==(const Activated&) const = default;
};

void PrintTo(const Activated& a, std::ostream* os) {
    *os << "profile " << a.profile << " at " << a.at << " ms";
}

struct Choice {
    TickMs at;
    int profile;
};

struct DebounceCase {
    const char* what;
    std::vector<Choice> choices;
    std::vector<Activated> expected;
};
void PrintTo(const DebounceCase& c, std::ostream* os) {
    *os << c.what;
}

class ProfileActivationDebounceTest : public testing::TestWithParam<DebounceCase> {};

TEST_P(ProfileActivationDebounceTest, ActivatesOnlyTheLastChoiceWithinTheDelay) {
    VirtualEventLoop loop;
    profiles::ProfileActivationDebounce debounce(loop);
    std::vector<Activated> activated;
    for (const Choice& choice : GetParam().choices) {
        loop.advance(choice.at - loop.clock().nowMs());
        debounce.choose([&, profile = choice.profile] {
            activated.push_back({profile, loop.clock().nowMs()});
        });
    }
    loop.advance(2000);
    EXPECT_EQ(activated, GetParam().expected);
    EXPECT_FALSE(debounce.isPending());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileActivationDebounceTest,
    testing::Values(DebounceCase{"OneChoice", {{0, 1}}, {{1, 400}}},
                    DebounceCase{"TwoWithin400Ms", {{0, 1}, {100, 2}}, {{2, 500}}},
                    DebounceCase{"ThreeInARow", {{0, 1}, {399, 2}, {798, 3}}, {{3, 1198}}},
                    DebounceCase{"TwoApart", {{0, 1}, {400, 2}}, {{1, 400}, {2, 800}}}),
    [](const testing::TestParamInfo<DebounceCase>& param) {
        return std::string(param.param.what);
    });

TEST(ProfileActivationDebounce, CancelDropsTheWaitingActivation) {
    VirtualEventLoop loop;
    profiles::ProfileActivationDebounce debounce(loop);
    int activations = 0;
    debounce.choose([&] { ++activations; });
    EXPECT_TRUE(debounce.isPending());
    loop.advance(200);
    debounce.cancel();
    loop.advance(1000);
    EXPECT_EQ(activations, 0);
}

TEST(ProfileActivationDebounce, AnActivationMayMakeTheNextChoice) {
    VirtualEventLoop loop;
    profiles::ProfileActivationDebounce debounce(loop);
    std::vector<TickMs> activations;
    debounce.choose([&] {
        activations.push_back(loop.clock().nowMs());
        debounce.choose([&] { activations.push_back(loop.clock().nowMs()); });
    });
    loop.advance(2000);
    EXPECT_EQ(activations, (std::vector<TickMs>{400, 800}));
}

TEST(ProfileActivationDebounce, DestroyingItStopsItsTimer) {
    VirtualEventLoop loop;
    int activations = 0;
    {
        profiles::ProfileActivationDebounce debounce(loop);
        debounce.choose([&] { ++activations; });
    }
    loop.advance(1000);
    EXPECT_EQ(activations, 0);
}

} // namespace
} // namespace morva
