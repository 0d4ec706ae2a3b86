#include "base/worker.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

TEST(Worker, StopEndsAnInterruptibleSleepAtOnce) {
    Worker worker("sleeper");
    std::atomic<bool> interrupted{false};
    ASSERT_TRUE(worker.start([&](std::stop_token stop) {
        interrupted = !RealClock::instance().sleepFor(60'000, stop);
    }));
    EXPECT_FALSE(worker.start([](std::stop_token) {})) << "one body at a time";
    const TickMs begin = RealClock::instance().nowMs();
    EXPECT_TRUE(worker.stop(1000));
    EXPECT_LT(RealClock::instance().nowMs() - begin, 1000u);
    EXPECT_TRUE(interrupted);
    EXPECT_FALSE(worker.running());
}

TEST(Worker, StopGivesUpAfterTheBoundWhenTheBodyIgnoresIt) {
    Worker worker("stubborn");
    std::atomic<bool> release{false};
    worker.start([&](std::stop_token) {
        while (!release) {
            std::this_thread::yield();
        }
    });
    EXPECT_FALSE(worker.stop(20));
    release = true;
    EXPECT_TRUE(worker.stop(1000));
}

TEST(VirtualClock, SleeperWakesWhenTimeIsAdvancedPastItsDeadline) {
    VirtualClock clock(1000);
    std::atomic<bool> woke{false};
    std::thread sleeper([&] {
        clock.sleepFor(100);
        woke = true;
    });
    while (clock.sleepers() == 0) {
        std::this_thread::yield();
    }
    clock.advance(99);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(woke);
    clock.advance(1);
    sleeper.join();
    EXPECT_TRUE(woke);
}

TEST(UntilNextTick, LandsOnAMultipleOfThePeriodAtLeastHalfAPeriodAway) {
    struct Case {
        TickMs now;
        TickMs expected;
    };
    for (const Case c : {Case{0, 50}, Case{1, 49}, Case{25, 25}, Case{26, 74}, Case{49, 51},
                         Case{50, 50}, Case{1003, 47}}) {
        const TickMs wait = untilNextTick(c.now, 50);
        EXPECT_EQ(wait, c.expected) << "at " << c.now;
        EXPECT_EQ((c.now + wait) % 50, 0u) << "at " << c.now;
    }
    EXPECT_EQ(untilNextTick(1003, 0), 0u) << "no period: no wait, and no division by zero";
}

} // namespace
} // namespace morva
