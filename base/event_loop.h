#pragma once

#include "base/clock.h"

#include <cstdint>
#include <functional>
#include <stop_token>

namespace morva {

using Task = std::function<void()>;
using TimerId = uint64_t;

// The interface thread's loop. Everything that touches the interface runs on it; other threads
// reach it with post() and send().
class EventLoop {
public:
    virtual ~EventLoop() = default;

    // Queues a task; thread-safe. Tasks run in the order they were posted.
    virtual void post(Task task) = 0;

    // Runs the task on the loop and waits until it ran. Called from another thread. Returns false
    // when the stop token ends the wait first (the task then may run later or never) or when the
    // loop has quit. Called on the loop's own thread, the task runs at once.
    bool send(Task task, std::stop_token stop = {});

    // A periodic timer; the callback runs on the loop every period until the timer is stopped.
    // Timers are started and stopped on the loop's thread; stopping a timer from its own callback
    // is allowed.
    virtual TimerId startTimer(TickMs periodMs, Task callback) = 0;
    virtual void stopTimer(TimerId id) = 0;

    virtual const Clock& clock() const = 0;
    virtual bool isLoopThread() const = 0;
    // Ends run(); pending tasks are dropped.
    virtual void quit() = 0;
    virtual bool hasQuit() const = 0;
};

} // namespace morva
