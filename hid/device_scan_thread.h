#pragma once

#include "base/clock.h"
#include "base/worker.h"
#include "hid/device_scanner.h"
#include "platform/device_change_monitor.h"

#include <atomic>
#include <memory>

namespace morva::hid {

// The worker of discovery. It runs a pass at start and then whenever the backend's change
// monitor reports that a HID node came, went or changed, and sleeps in between, so an idle
// program is not woken. A pass that freed a slot is followed by another at once (what is present
// may take the slot); a failed enumeration is retried after a pause. Where the backend has no
// monitor (no udev daemon), or its monitor fails, the thread looks every 100 ms instead and says
// so in the trace.
class DeviceScanThread {
public:
    static constexpr TickMs kPollPauseMs = 100;
    static constexpr TickMs kRetryPauseMs = 100;

    DeviceScanThread(SlotList& slots, platform::HidBackend& backend, ScanEvents& events,
                     Clock& clock);
    ~DeviceScanThread();

    // Opens the backend's change monitor before the first pass, so that no change between the
    // pass and the first wait is missed, and starts the thread.
    bool start();
    // Asks the thread to end and waits up to the time-out; true when it has ended.
    bool stop(TickMs timeoutMs = 1000);
    bool running() const { return worker_.running(); }
    uint64_t passesCompleted() const { return passes_.load(); }
    // True while the thread sleeps until a change event; false while it looks every 100 ms.
    bool waitsForChanges() const { return waitsForChanges_.load(); }
    const DeviceScanner& scanner() const { return scanner_; }

private:
    void run(std::stop_token stop);
    // Sleeps until the next pass is due; false when a stop request ended the wait.
    bool waitForNextPass(DeviceScanner::PassResult lastPass, std::stop_token stop);
    bool waitForChange(std::stop_token stop);
    void fallBackToPolling(const std::string& why);

    DeviceScanner scanner_;
    platform::HidBackend& backend_;
    Clock& clock_;
    std::unique_ptr<platform::DeviceChangeMonitor> monitor_;
    std::atomic<bool> waitsForChanges_{false};
    std::atomic<uint64_t> passes_{0};
    Worker worker_{"DeviceScanThread"};
};

} // namespace morva::hid
