#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace morva::emulator {

// Input reports that a device sends some time after the request that caused them, so that a
// slow device costs the writer nothing: a timer thread (started on first use) hands each report
// to the delivery function when it is due, in the order they were scheduled.
//
// A delivery may destroy this object: it can drop the last reference to a channel that holds the
// last reference to the device that owns this object. The timer thread then finishes on its own.
class DeferredReports {
public:
    using SteadyClock = std::chrono::steady_clock;
    using Deliver = std::function<void(int interfaceNumber, std::span<const uint8_t> report)>;

    explicit DeferredReports(Deliver deliver);
    // Stops the timer thread; reports not yet due are dropped.
    ~DeferredReports();
    DeferredReports(const DeferredReports&) = delete;
    DeferredReports& operator=(const DeferredReports&) = delete;

    void schedule(SteadyClock::time_point due, int interfaceNumber,
                  std::span<const uint8_t> report);
    // True when no report waits (one being delivered still counts as waiting).
    bool empty() const;
    // Drops every report not yet delivered.
    void clear();

private:
    struct Item {
        SteadyClock::time_point due;
        int interfaceNumber;
        std::vector<uint8_t> report;
    };
    // Everything the timer thread touches; it keeps its own reference, so it can end safely
    // after a delivery that destroyed this object.
    struct Queue {
        explicit Queue(Deliver d) : deliver(std::move(d)) {}
        Deliver deliver;
        std::mutex mutex;
        std::condition_variable_any changed;
        std::deque<Item> items;
        bool delivering = false;
    };
    static void run(Queue& queue, std::stop_token stop);

    std::shared_ptr<Queue> queue_;
    std::jthread thread_;
};

} // namespace morva::emulator
