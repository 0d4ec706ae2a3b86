#pragma once

#include "platform/hid_backend.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace morva::emulator {

class EmulatedHidDevice;

// One open interface of an emulated device: a queue of input reports and a path to the device's
// output hook, with hidraw's waits, time-outs and cancellation.
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
    void deliver(std::span<const uint8_t> report);
    void disconnect();

private:
    bool takeCancel(); // with mutex_ held

    std::shared_ptr<EmulatedHidDevice> device_;
    int interfaceNumber_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<uint8_t>> reports_;
    unsigned pendingCancels_ = 0;
    bool disconnected_ = false;
};

} // namespace morva::emulator
