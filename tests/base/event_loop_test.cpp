#include "base/thread_event_loop.h"
#include "base/virtual_event_loop.h"

#include <gtest/gtest.h>

#include <thread>

namespace morva {
namespace {

TEST(VirtualEventLoop, TimersFireInTimeOrderAtTheirOwnDueTimes) {
    VirtualEventLoop loop;
    std::vector<std::pair<std::string, TickMs>> fired;
    auto record = [&](std::string name) {
        return [&, name] { fired.emplace_back(name, loop.clock().nowMs()); };
    };
    loop.startTimer(50, record("a50"));
    loop.startTimer(20, record("b20"));
    loop.startTimer(50, record("c50"));

    loop.advance(100);

    const std::vector<std::pair<std::string, TickMs>> expected = {
        {"b20", 20}, {"b20", 40}, {"a50", 50}, {"c50", 50}, {"b20", 60},
        {"b20", 80}, {"a50", 100}, {"c50", 100}, {"b20", 100},
    };
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(loop.clock().nowMs(), 100u);
}

TEST(VirtualEventLoop, TimerStoppedFromItsOwnCallbackFiresOnce) {
    VirtualEventLoop loop;
    int count = 0;
    TimerId id = 0;
    id = loop.startTimer(500, [&] {
        ++count;
        loop.stopTimer(id);
    });
    loop.advance(499);
    EXPECT_EQ(count, 0);
    loop.advance(2000);
    EXPECT_EQ(count, 1);
}

TEST(VirtualEventLoop, PostedTasksRunInOrderIncludingThoseTheyPost) {
    VirtualEventLoop loop;
    std::string order;
    loop.post([&] {
        order += 'a';
        loop.post([&] { order += 'c'; });
    });
    loop.post([&] { order += 'b'; });
    EXPECT_EQ(order, "");
    EXPECT_EQ(loop.runPending(), 3u);
    EXPECT_EQ(order, "abc");
}

TEST(VirtualEventLoop, SendFromWorkerWaitsForTheLoopAndStopEndsIt) {
    VirtualEventLoop loop;
    int value = 0;
    bool sent = false;
    std::thread worker([&] { sent = loop.send([&] { value = 42; }); });
    ASSERT_TRUE(loop.runUntil([&] { return value == 42; }));
    worker.join();
    EXPECT_TRUE(sent);

    std::stop_source stop;
    bool stoppedResult = true;
    std::thread blocked([&] { stoppedResult = loop.send([] {}, stop.get_token()); });
    stop.request_stop(); // the loop never runs the task; the stop request ends the wait
    blocked.join();
    EXPECT_FALSE(stoppedResult);
}

TEST(ThreadEventLoop, RunsTasksAndTimersUntilQuit) {
    ThreadEventLoop loop;
    int ticks = 0;
    std::thread poster([&] {
        loop.post([&] {
            loop.startTimer(1, [&] {
                if (++ticks == 3) {
                    loop.quit();
                }
            });
        });
    });
    loop.run();
    poster.join();
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(loop.hasQuit());
}

} // namespace
} // namespace morva
