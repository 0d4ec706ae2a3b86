#pragma once

#include "base/clock.h"
#include "base/worker.h"
#include "hid/device_scanner.h"

#include <atomic>

namespace morva::hid {

// The polling worker of discovery: roughly ten passes a second, each after a 1 ms look at the
// stop request, with a 100 ms pause after each pass.
class DeviceScanThread {
public:
    DeviceScanThread(SlotList& slots, platform::HidBackend& backend, ScanEvents& events,
                     Clock& clock);
    ~DeviceScanThread();

    bool start();
    // Asks the thread to end and waits up to the time-out; true when it has ended.
    bool stop(TickMs timeoutMs = 1000);
    bool running() const { return worker_.running(); }
    uint64_t passesCompleted() const { return passes_.load(); }
    const DeviceScanner& scanner() const { return scanner_; }

private:
    void run(std::stop_token stop);

    DeviceScanner scanner_;
    Clock& clock_;
    std::atomic<uint64_t> passes_{0};
    Worker worker_{"DeviceScanThread"};
};

} // namespace morva::hid
