#pragma once

#include "emulator/simulated_time.h"
#include "platform/hid_backend.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace morva::emulator {

class EmulatedHidDevice;

// One open interface of an emulated device: a queue of input reports and a path to the device's
// output hook, with hidraw's waits, time-outs and cancellation. On a bus with simulated time a
// read with a time-out never waits: it takes the next report due within the time-out, moving
// the simulated clock to it, or moves the clock by the whole time-out and times out.
class EmulatedHidChannel final : public platform::HidChannel {
public:
    EmulatedHidChannel(std::shared_ptr<EmulatedHidDevice> device, int interfaceNumber);
    ~EmulatedHidChannel() override;

    platform::HidIoResult read(std::span<uint8_t> buffer, int timeoutMs,
                               size_t& bytesRead) override;
    platform::HidIoResult write(std::span<const uint8_t> report, int timeoutMs,
                                size_t& bytesWritten) override;
    bool setOutputReport(std::span<const uint8_t> report) override;
    void cancel() override;

    int interfaceNumber() const { return interfaceNumber_; }
    // A report from the device, due `delayMs` after now (simulated time only).
    void deliver(std::span<const uint8_t> report, uint32_t delayMs = 0);
    void disconnect();

private:
    struct Queued {
        uint64_t dueMs = 0; // simulated time; 0 on real time
        std::vector<uint8_t> bytes;
    };
    bool takeCancel(); // with mutex_ held
    // With mutex_ held: whether the next report is due within the time-out on simulated time.
    bool dueWithin(int timeoutMs) const;

    std::shared_ptr<EmulatedHidDevice> device_;
    int interfaceNumber_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Queued> reports_;
    // The bus's clock on simulated time. Each channel keeps its own time as well, moved only by
    // its own reads, so that other readers of the device (an event thread waiting on another
    // channel) never bring a late reply forward; the bus clock follows the furthest of them.
    std::shared_ptr<SimulatedTime> simulatedTime_;
    uint64_t ownNowMs_ = 0;
    unsigned pendingCancels_ = 0;
    bool disconnected_ = false;
};

} // namespace morva::emulator
