#include "base/timer_queue.h"

#include <memory>

namespace morva {

TimerId TimerQueue::add(TickMs now, TickMs periodMs, Task callback) {
    const TimerId id = nextId_++;
    const TickMs period = periodMs == 0 ? 1 : periodMs;
    timers_[id] = Timer{period, now + period, nextOrder_++,
                        std::make_shared<Task>(std::move(callback))};
    return id;
}

void TimerQueue::remove(TimerId id) {
    timers_.erase(id);
}

std::optional<TickMs> TimerQueue::nextDue() const {
    std::optional<TickMs> earliest;
    for (const auto& [id, timer] : timers_) {
        if (!earliest || timer.due < *earliest) {
            earliest = timer.due;
        }
    }
    return earliest;
}

bool TimerQueue::fireOneDue(TickMs now) {
    auto chosen = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        const Timer& t = it->second;
        if (t.due <= now && (chosen == timers_.end() || t.due < chosen->second.due ||
                             (t.due == chosen->second.due && t.order < chosen->second.order))) {
            chosen = it;
        }
    }
    if (chosen == timers_.end()) {
        return false;
    }
    Timer& timer = chosen->second;
    timer.due += timer.periodMs;
    if (timer.due <= now) {
        timer.due = now + timer.periodMs; // a late timer fires once, not once per missed period
    }
    timer.order = nextOrder_++;
    const auto callback = timer.callback; // the callback may stop its own timer
    (*callback)();
    return true;
}

} // namespace morva
