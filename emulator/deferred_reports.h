#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace morva::emulator {

// Input reports that a device sends some time after the request that caused them, so that a
// slow device costs the writer nothing: a timer thread (started on first use) hands each report
// to the delivery function when it is due, in the order they were scheduled.
class DeferredReports {
public:
    using SteadyClock = std::chrono::steady_clock;
    using Deliver = std::function<void(int interfaceNumber, std::span<const uint8_t> report)>;

    explicit DeferredReports(Deliver deliver) : deliver_(std::move(deliver)) {}
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
    void run(std::stop_token stop);

    Deliver deliver_;
    mutable std::mutex mutex_;
    std::condition_variable_any changed_;
    std::deque<Item> items_;
    bool delivering_ = false;
    std::jthread thread_; // last: stopped and joined before the queue goes
};

} // namespace morva::emulator
