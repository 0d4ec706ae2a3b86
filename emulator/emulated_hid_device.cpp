#include "emulator/emulated_hid_device.h"

#include "emulator/emulated_hid_channel.h"

#include <algorithm>

namespace morva::emulator {

EmulatedHidDevice::EmulatedHidDevice(uint16_t vendorId, uint16_t productId, uint16_t versionNumber,
                                     std::vector<Interface> interfaces)
    : vendorId_(vendorId), productId_(productId), versionNumber_(versionNumber),
      interfaces_(std::move(interfaces)) {}

EmulatedHidDevice::~EmulatedHidDevice() = default;

bool EmulatedHidDevice::onOutputReport(int interfaceNumber, std::span<const uint8_t> report) {
    OutputHandler handler;
    {
        std::lock_guard lock(mutex_);
        handler = outputHandler_;
    }
    if (handler) {
        handler(interfaceNumber, report);
    }
    return true;
}

void EmulatedHidDevice::setOutputHandler(OutputHandler handler) {
    std::lock_guard lock(mutex_);
    outputHandler_ = std::move(handler);
}

bool EmulatedHidDevice::receiveOutputReport(int interfaceNumber, std::span<const uint8_t> report) {
    {
        std::lock_guard lock(mutex_);
        ++outputReports_;
    }
    return onOutputReport(interfaceNumber, report);
}

size_t EmulatedHidDevice::outputReportCount() const {
    std::lock_guard lock(mutex_);
    return outputReports_;
}

void EmulatedHidDevice::setSimulatedTime(std::shared_ptr<SimulatedTime> time) {
    std::lock_guard lock(mutex_);
    simulatedTime_ = std::move(time);
}

std::shared_ptr<SimulatedTime> EmulatedHidDevice::simulatedTime() const {
    std::lock_guard lock(mutex_);
    return simulatedTime_;
}

void EmulatedHidDevice::queueInputReport(int interfaceNumber, std::span<const uint8_t> report,
                                         uint32_t delayMs) {
    if (report.empty()) {
        return;
    }
    std::vector<std::shared_ptr<EmulatedHidChannel>> receivers;
    {
        std::lock_guard lock(mutex_);
        for (const auto& weak : channels_) {
            if (auto channel = weak.lock();
                channel && channel->interfaceNumber() == interfaceNumber) {
                receivers.push_back(std::move(channel));
            }
        }
    }
    for (const auto& channel : receivers) {
        channel->deliver(report, delayMs);
    }
}

void EmulatedHidDevice::attachChannel(const std::shared_ptr<EmulatedHidChannel>& channel) {
    std::lock_guard lock(mutex_);
    channels_.push_back(channel);
}

void EmulatedHidDevice::detachChannel(const EmulatedHidChannel* channel) {
    std::lock_guard lock(mutex_);
    std::erase_if(channels_, [&](const std::weak_ptr<EmulatedHidChannel>& weak) {
        const auto held = weak.lock();
        return !held || held.get() == channel;
    });
}

void EmulatedHidDevice::disconnectAll() {
    std::vector<std::shared_ptr<EmulatedHidChannel>> open;
    {
        std::lock_guard lock(mutex_);
        for (const auto& weak : channels_) {
            if (auto channel = weak.lock()) {
                open.push_back(std::move(channel));
            }
        }
        channels_.clear();
    }
    for (const auto& channel : open) {
        channel->disconnect();
    }
}

} // namespace morva::emulator
