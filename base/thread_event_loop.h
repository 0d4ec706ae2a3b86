#pragma once

#include "base/event_loop.h"
#include "base/timer_queue.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace morva {

// A real-time loop for programs without a GUI toolkit (the command-line tool). run() serves
// tasks and timers on the calling thread until quit().
class ThreadEventLoop final : public EventLoop {
public:
    void post(Task task) override;
    TimerId startTimer(TickMs periodMs, Task callback) override;
    void stopTimer(TimerId id) override;
    const Clock& clock() const override { return RealClock::instance(); }
    bool isLoopThread() const override;
    void quit() override;
    bool hasQuit() const override;

    void run();

private:
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Task> tasks_;
    TimerQueue timers_;
    std::thread::id loopThread_;
    bool quit_ = false;
};

} // namespace morva
