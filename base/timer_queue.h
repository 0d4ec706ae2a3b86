#pragma once

#include "base/clock.h"
#include "base/event_loop.h"

#include <map>
#include <optional>

namespace morva {

// The timers of one loop, ordered by when they are due. Only the loop's thread touches it.
class TimerQueue {
public:
    TimerId add(TickMs now, TickMs periodMs, Task callback);
    void remove(TimerId id);
    std::optional<TickMs> nextDue() const;
    // Fires the earliest timer due at or before now, re-arming it; false when none is due.
    bool fireOneDue(TickMs now);
    bool empty() const { return timers_.empty(); }

private:
    struct Timer {
        TickMs periodMs;
        TickMs due;
        uint64_t order; // ties between equal due times go in the order the timers were armed
        std::shared_ptr<Task> callback;
    };
    std::map<TimerId, Timer> timers_;
    TimerId nextId_ = 1;
    uint64_t nextOrder_ = 0;
};

} // namespace morva
