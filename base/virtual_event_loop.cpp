#include "base/virtual_event_loop.h"

#include <chrono>

namespace morva {

VirtualEventLoop::VirtualEventLoop() : loopThread_(std::this_thread::get_id()) {}

void VirtualEventLoop::post(Task task) {
    std::lock_guard lock(mutex_);
    if (!quit_) {
        tasks_.push_back(std::move(task));
    }
}

TimerId VirtualEventLoop::startTimer(TickMs periodMs, Task callback) {
    return timers_.add(clock_.nowMs(), periodMs, std::move(callback));
}

void VirtualEventLoop::stopTimer(TimerId id) {
    timers_.remove(id);
}

bool VirtualEventLoop::isLoopThread() const {
    return std::this_thread::get_id() == loopThread_;
}

void VirtualEventLoop::quit() {
    std::lock_guard lock(mutex_);
    quit_ = true;
    tasks_.clear();
}

bool VirtualEventLoop::hasQuit() const {
    std::lock_guard lock(mutex_);
    return quit_;
}

size_t VirtualEventLoop::runPending() {
    size_t ran = 0;
    for (;;) {
        Task task;
        {
            std::lock_guard lock(mutex_);
            if (tasks_.empty()) {
                return ran;
            }
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
        ++ran;
    }
}

void VirtualEventLoop::advance(TickMs ms) {
    const TickMs target = clock_.nowMs() + ms;
    runPending();
    for (;;) {
        const auto due = timers_.nextDue();
        if (!due || *due > target) {
            break;
        }
        if (*due > clock_.nowMs()) {
            clock_.setNow(*due);
        }
        timers_.fireOneDue(clock_.nowMs());
        runPending();
    }
    clock_.setNow(target);
    runPending();
}

bool VirtualEventLoop::runUntil(const std::function<bool()>& done, TickMs realTimeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(realTimeoutMs);
    for (;;) {
        runPending();
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

size_t VirtualEventLoop::pendingTasks() const {
    std::lock_guard lock(mutex_);
    return tasks_.size();
}

} // namespace morva
