#pragma once

#include <atomic>
#include <cstdint>

namespace morva::emulator {

// The time of an emulated bus whose waits cost nothing: a read that would wait for a report
// moves this clock instead of the wall clock, so a device that never answers or answers late
// is met at once at the time-out edge. Shared by the bus, its devices and their channels.
class SimulatedTime {
public:
    uint64_t nowMs() const { return nowMs_.load(); }
    // Moves the clock forward to `ms` (never back).
    void advanceTo(uint64_t ms) {
        uint64_t now = nowMs_.load();
        while (now < ms && !nowMs_.compare_exchange_weak(now, ms)) {
        }
    }
    void advanceBy(uint64_t ms) { nowMs_ += ms; }

private:
    std::atomic<uint64_t> nowMs_ = 0;
};

} // namespace morva::emulator
