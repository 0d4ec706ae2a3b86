#pragma once

#include "base/event_loop.h"
#include "base/timer_queue.h"

#include <deque>
#include <mutex>
#include <thread>

namespace morva {

// A deterministic loop for tests: nothing runs until the test says so, and time is virtual.
class VirtualEventLoop final : public EventLoop {
public:
    VirtualEventLoop();

    void post(Task task) override;
    TimerId startTimer(TickMs periodMs, Task callback) override;
    void stopTimer(TimerId id) override;
    const Clock& clock() const override { return clock_; }
    VirtualClock& virtualClock() { return clock_; }
    bool isLoopThread() const override;
    void quit() override;
    bool hasQuit() const override;

    // Runs posted tasks, including those they post, until the queue is empty. Returns how many ran.
    size_t runPending();
    // Moves time forward, firing every timer that falls due on the way in time order, each at its
    // own due time, and running the posted tasks between them.
    void advance(TickMs ms);
    // For tests with real worker threads: runs posted tasks until the predicate holds or the real
    // time-out passes. Virtual time does not move.
    bool runUntil(const std::function<bool()>& done, TickMs realTimeoutMs = 5000);
    size_t pendingTasks() const;

private:
    VirtualClock clock_;
    TimerQueue timers_;
    mutable std::mutex mutex_;
    std::deque<Task> tasks_;
    std::thread::id loopThread_;
    bool quit_ = false;
};

} // namespace morva
