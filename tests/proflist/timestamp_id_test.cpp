#include "fixed_local_time.h"
#include "profiles/list/timestamp_id.h"

#include <gtest/gtest.h>
#include <set>

namespace morva {
namespace {

TEST(TimestampId, FormatsEveryFieldWithItsWidth) {
    EXPECT_EQ(profiles::formatTimestampId({2021, 3, 7, 8, 15, 42, 7}), "2021_03_07_08_15_42_007");
    EXPECT_EQ(profiles::formatTimestampId({2019, 12, 23, 14, 5, 9, 123}),
              "2019_12_23_14_05_09_123");
}

TEST(TimestampId, SystemTimeGivesAPlausibleIdentifier) {
    const profiles::LocalTimestamp now = profiles::SystemLocalTime::instance().now();
    EXPECT_GE(now.year, 2020);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12);
    EXPECT_TRUE(now.day >= 1 && now.day <= 31);
    EXPECT_TRUE(now.millisecond >= 0 && now.millisecond <= 999);
    EXPECT_EQ(profiles::formatTimestampId(now).size(),
              std::string("2021_03_07_08_15_42_007").size());
}

struct CarryCase {
    profiles::LocalTimestamp from;
    profiles::LocalTimestamp to;
};
void PrintTo(const CarryCase& c, std::ostream* os) {
    *os << profiles::formatTimestampId(c.from);
}

class NextMillisecond : public testing::TestWithParam<CarryCase> {};

TEST_P(NextMillisecond, CarriesIntoTheNextField) {
    EXPECT_EQ(profiles::formatTimestampId(profiles::nextMillisecond(GetParam().from)),
              profiles::formatTimestampId(GetParam().to));
}

INSTANTIATE_TEST_SUITE_P(
    Carries, NextMillisecond,
    testing::Values(CarryCase{{2021, 3, 7, 8, 15, 42, 7}, {2021, 3, 7, 8, 15, 42, 8}},
                    CarryCase{{2021, 3, 7, 8, 15, 42, 999}, {2021, 3, 7, 8, 15, 43, 0}},
                    CarryCase{{2021, 3, 7, 8, 59, 59, 999}, {2021, 3, 7, 9, 0, 0, 0}},
                    CarryCase{{2021, 3, 7, 23, 59, 59, 999}, {2021, 3, 8, 0, 0, 0, 0}},
                    CarryCase{{2021, 2, 28, 23, 59, 59, 999}, {2021, 3, 1, 0, 0, 0, 0}},
                    CarryCase{{2024, 2, 28, 23, 59, 59, 999}, {2024, 2, 29, 0, 0, 0, 0}},
                    CarryCase{{2021, 4, 30, 23, 59, 59, 999}, {2021, 5, 1, 0, 0, 0, 0}},
                    CarryCase{{2021, 12, 31, 23, 59, 59, 999}, {2022, 1, 1, 0, 0, 0, 0}},
                    // a leap second from the system clock
                    CarryCase{{2016, 12, 31, 23, 59, 60, 999}, {2017, 1, 1, 0, 0, 0, 0}}));

TEST(TimestampId, FreeIdentifierIsTheCurrentTime) {
    test::FixedLocalTime time({2021, 3, 7, 8, 15, 42, 7});
    EXPECT_EQ(profiles::makeUniqueTimestampId(time, [](const std::string&) { return false; }),
              "2021_03_07_08_15_42_007");
}

TEST(TimestampId, IdentifiersMadeWithinOneMillisecondStayUnique) {
    test::FixedLocalTime time({2021, 3, 7, 8, 15, 42, 998});
    std::set<std::string> taken;
    const auto isTaken = [&](const std::string& id) {
        return taken.count(id) != 0;
    };
    std::vector<std::string> made;
    for (int i = 0; i < 3; ++i) {
        made.push_back(profiles::makeUniqueTimestampId(time, isTaken));
        taken.insert(made.back());
    }
    const std::vector<std::string> expected = {"2021_03_07_08_15_42_998", "2021_03_07_08_15_42_999",
                                               "2021_03_07_08_15_43_000"};
    EXPECT_EQ(made, expected);
}

} // namespace
} // namespace morva
