#pragma once

#include "base/event_loop.h"

#include <QObject>
#include <atomic>
#include <map>
#include <memory>
#include <unordered_map>

namespace morva::qt {

// The interface thread's loop as the Qt event loop: tasks are queued invocations on a context
// object of the GUI thread, timers are that object's timer events. Create it on the GUI thread
// after the application object.
class QtEventLoop final : public EventLoop {
public:
    QtEventLoop();
    ~QtEventLoop() override;

    void post(Task task) override;
    TimerId startTimer(TickMs periodMs, Task callback) override;
    void stopTimer(TimerId id) override;
    const Clock& clock() const override;
    bool isLoopThread() const override;
    // Leaves the application's event loop; tasks still queued are dropped.
    void quit() override;
    bool hasQuit() const override { return quit_.load(); }

    // Runs the application's event loop until quit().
    int run();

    size_t runningTimers() const { return timers_.size(); }

private:
    class Context;
    struct RunningTimer {
        int qtId = 0;
        // Shared so that a callback stopping its own timer is not destroyed while it runs.
        std::shared_ptr<Task> callback;
    };

    void fire(int qtId);

    // Queued tasks run in this object's thread and die with it.
    std::unique_ptr<Context> context_;
    std::map<TimerId, RunningTimer> timers_;
    std::unordered_map<int, TimerId> byQtId_;
    TimerId nextTimer_ = 1;
    std::atomic<bool> quit_{false};
};

} // namespace morva::qt
