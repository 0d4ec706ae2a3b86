#include "base/thread_event_loop.h"

#include <chrono>

namespace morva {

void ThreadEventLoop::post(Task task) {
    {
        std::lock_guard lock(mutex_);
        if (quit_) {
            return;
        }
        tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
}

TimerId ThreadEventLoop::startTimer(TickMs periodMs, Task callback) {
    std::lock_guard lock(mutex_);
    const TimerId id = timers_.add(clock().nowMs(), periodMs, std::move(callback));
    wake_.notify_one();
    return id;
}

void ThreadEventLoop::stopTimer(TimerId id) {
    std::lock_guard lock(mutex_);
    timers_.remove(id);
}

bool ThreadEventLoop::isLoopThread() const {
    std::lock_guard lock(mutex_);
    return std::this_thread::get_id() == loopThread_;
}

void ThreadEventLoop::quit() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        tasks_.clear();
    }
    wake_.notify_all();
}

bool ThreadEventLoop::hasQuit() const {
    std::lock_guard lock(mutex_);
    return quit_;
}

void ThreadEventLoop::run() {
    std::unique_lock lock(mutex_);
    loopThread_ = std::this_thread::get_id();
    while (!quit_) {
        if (!tasks_.empty()) {
            Task task = std::move(tasks_.front());
            tasks_.pop_front();
            lock.unlock();
            task();
            lock.lock();
            continue;
        }
        const TickMs now = clock().nowMs();
        const auto due = timers_.nextDue();
        if (due && *due <= now) {
            // The timer callback may start or stop timers, which takes the lock.
            TimerQueue* timers = &timers_;
            lock.unlock();
            timers->fireOneDue(now);
            lock.lock();
            continue;
        }
        if (due) {
            wake_.wait_for(lock, std::chrono::milliseconds(*due - now));
        } else {
            wake_.wait(lock);
        }
    }
}

} // namespace morva
