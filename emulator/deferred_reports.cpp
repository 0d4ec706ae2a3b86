#include "emulator/deferred_reports.h"

namespace morva::emulator {

DeferredReports::~DeferredReports() {
    if (thread_.joinable()) {
        thread_.request_stop();
        changed_.notify_all();
        thread_.join();
    }
}

void DeferredReports::schedule(SteadyClock::time_point due, int interfaceNumber,
                               std::span<const uint8_t> report) {
    {
        std::lock_guard lock(mutex_);
        items_.push_back({due, interfaceNumber, {report.begin(), report.end()}});
        if (!thread_.joinable()) {
            thread_ = std::jthread([this](std::stop_token stop) { run(stop); });
        }
    }
    changed_.notify_all();
}

bool DeferredReports::empty() const {
    std::lock_guard lock(mutex_);
    return items_.empty() && !delivering_;
}

void DeferredReports::clear() {
    std::lock_guard lock(mutex_);
    items_.clear();
}

void DeferredReports::run(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
        if (items_.empty()) {
            changed_.wait(lock, stop, [&] { return !items_.empty(); });
            continue;
        }
        const SteadyClock::time_point due = items_.front().due;
        if (SteadyClock::now() < due) {
            // Woken early by a new report or a clear: look at the queue again.
            changed_.wait_until(lock, stop, due, [] { return false; });
            continue;
        }
        Item item = std::move(items_.front());
        items_.pop_front();
        delivering_ = true;
        lock.unlock();
        deliver_(item.interfaceNumber, item.report);
        lock.lock();
        delivering_ = false;
    }
}

} // namespace morva::emulator
