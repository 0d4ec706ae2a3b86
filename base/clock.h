#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stop_token>

namespace morva {

// Milliseconds since an arbitrary start, like a tick count.
using TickMs = uint64_t;

// The time from `now` to the next multiple of `period` at least half a period away. Periodic
// work of several threads or objects that waits this way falls due at the same moments, so the
// machine wakes once for all of it; work that woke a little early does not run again at once.
constexpr TickMs untilNextTick(TickMs now, TickMs period) {
    if (period == 0) {
        return 0;
    }
    const TickMs toNext = period - now % period;
    return toNext < period / 2 ? toNext + period : toNext;
}

// Where time comes from, so animation steps, timers and time-outs can run on a virtual clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual TickMs nowMs() const = 0;
    // Sleeps for the given time; returns false when the stop token asked for a stop first.
    virtual bool sleepFor(TickMs ms, std::stop_token stop = {}) = 0;
};

class RealClock final : public Clock {
public:
    TickMs nowMs() const override;
    bool sleepFor(TickMs ms, std::stop_token stop = {}) override;
    static RealClock& instance();
};

// Time moves only when a test advances it. Sleepers on other threads wake when the time they
// wait for has been reached.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(TickMs start = 0) : now_(start) {}
    TickMs nowMs() const override;
    bool sleepFor(TickMs ms, std::stop_token stop = {}) override;
    void advance(TickMs ms);
    void setNow(TickMs now);
    // How many threads sleep on this clock right now; lets a test wait until a worker sleeps.
    size_t sleepers() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable_any changed_;
    TickMs now_;
    size_t sleepers_ = 0;
};

} // namespace morva
