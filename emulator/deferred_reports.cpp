#include "emulator/deferred_reports.h"

namespace morva::emulator {

DeferredReports::DeferredReports(Deliver deliver)
    : queue_(std::make_shared<Queue>(std::move(deliver))) {}

DeferredReports::~DeferredReports() {
    if (!thread_.joinable()) {
        return;
    }
    thread_.request_stop();
    queue_->changed.notify_all();
    if (thread_.get_id() == std::this_thread::get_id()) {
        // Destroyed by one of our own deliveries: the thread cannot wait for itself. It sees the
        // stop once the delivery returns and ends without touching this object.
        thread_.detach();
        return;
    }
    thread_.join();
}

void DeferredReports::schedule(SteadyClock::time_point due, int interfaceNumber,
                               std::span<const uint8_t> report) {
    {
        std::lock_guard lock(queue_->mutex);
        queue_->items.push_back({due, interfaceNumber, {report.begin(), report.end()}});
        if (!thread_.joinable()) {
            thread_ = std::jthread(
                [queue = queue_](std::stop_token stop) { run(*queue, std::move(stop)); });
        }
    }
    queue_->changed.notify_all();
}

bool DeferredReports::empty() const {
    std::lock_guard lock(queue_->mutex);
    return queue_->items.empty() && !queue_->delivering;
}

void DeferredReports::clear() {
    std::lock_guard lock(queue_->mutex);
    queue_->items.clear();
}

void DeferredReports::run(Queue& queue, std::stop_token stop) {
    std::unique_lock lock(queue.mutex);
    while (!stop.stop_requested()) {
        if (queue.items.empty()) {
            queue.changed.wait(lock, stop, [&] { return !queue.items.empty(); });
            continue;
        }
        const SteadyClock::time_point due = queue.items.front().due;
        if (SteadyClock::now() < due) {
            // Woken early by a new report or a clear: look at the queue again.
            queue.changed.wait_until(lock, stop, due, [] { return false; });
            continue;
        }
        Item item = std::move(queue.items.front());
        queue.items.pop_front();
        queue.delivering = true;
        lock.unlock();
        queue.deliver(item.interfaceNumber, item.report);
        lock.lock();
        queue.delivering = false;
    }
}

} // namespace morva::emulator
