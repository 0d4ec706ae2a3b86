#include "base/clock.h"

#include <chrono>

namespace morva {

TickMs RealClock::nowMs() const {
    using namespace std::chrono;
    return static_cast<TickMs>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool RealClock::sleepFor(TickMs ms, std::stop_token stop) {
    std::mutex mutex;
    std::condition_variable_any never;
    std::unique_lock lock(mutex);
    return !never.wait_for(lock, stop, std::chrono::milliseconds(ms), [] { return false; }) &&
           !stop.stop_requested();
}

RealClock& RealClock::instance() {
    static RealClock clock;
    return clock;
}

TickMs VirtualClock::nowMs() const {
    std::lock_guard lock(mutex_);
    return now_;
}

bool VirtualClock::sleepFor(TickMs ms, std::stop_token stop) {
    std::unique_lock lock(mutex_);
    const TickMs until = now_ + ms;
    ++sleepers_;
    changed_.wait(lock, stop, [&] { return now_ >= until; });
    --sleepers_;
    return !stop.stop_requested();
}

size_t VirtualClock::sleepers() const {
    std::lock_guard lock(mutex_);
    return sleepers_;
}

void VirtualClock::advance(TickMs ms) {
    {
        std::lock_guard lock(mutex_);
        now_ += ms;
    }
    changed_.notify_all();
}

void VirtualClock::setNow(TickMs now) {
    {
        std::lock_guard lock(mutex_);
        now_ = now;
    }
    changed_.notify_all();
}

} // namespace morva
