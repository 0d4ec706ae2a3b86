#include "emulator/firmware_device.h"

#include <algorithm>

namespace morva::emulator {

FirmwareHidDevice::FirmwareHidDevice(uint16_t vendorId, uint16_t productId, uint16_t versionNumber,
                                     std::vector<Interface> interfaces,
                                     std::unique_ptr<emulator::CommandFirmware> firmware,
                                     const Wiring& wiring)
    : EmulatedHidDevice(vendorId, productId, versionNumber, std::move(interfaces)), wiring_(wiring),
      firmware_(std::move(firmware)),
      deferred_([this](int interfaceNumber, std::span<const uint8_t> report) {
          queueInputReport(interfaceNumber, report);
      }) {
    firmware_->setConsumerSink(
        [this](const emulator::ConsumerReport& report) { sendConsumerReport(report); });
    firmware_->setUnplugCallback([this] { unplugged(); });
}

FirmwareHidDevice::~FirmwareHidDevice() = default;

void FirmwareHidDevice::setUnplugHandler(std::function<void()> handler) {
    std::lock_guard lock(firmwareMutex_);
    unplugHandler_ = std::move(handler);
}

bool FirmwareHidDevice::onOutputReport(int interfaceNumber, std::span<const uint8_t> report) {
    EmulatedHidDevice::onOutputReport(interfaceNumber, report);
    if (interfaceNumber != wiring_.commandInterface) {
        return true;
    }
    std::lock_guard lock(firmwareMutex_);
    const emulator::FirmwareResponse response = firmware_->receiveOutputReport(report);
    if (response.accepted) {
        // Under the lock, so replies to successive requests keep their order.
        sendReplies(response, firmware_->latencyMs() + response.extraDelayMs);
    }
    return response.accepted;
}

void FirmwareHidDevice::sendReplies(const emulator::FirmwareResponse& response,
                                    uint32_t latencyMs) {
    if (simulatedTime()) {
        // Simulated time: the channel holds each reply until its due time comes.
        for (const device::CommandPacket& reply : response.replyList()) {
            queueInputReport(wiring_.commandInterface, reply, latencyMs);
        }
        return;
    }
    const bool inline_ = latencyMs == 0 && deferred_.empty();
    const auto due = DeferredReports::SteadyClock::now() + std::chrono::milliseconds(latencyMs);
    for (const device::CommandPacket& reply : response.replyList()) {
        if (inline_) {
            queueInputReport(wiring_.commandInterface, reply);
        } else {
            deferred_.schedule(due, wiring_.commandInterface, reply);
        }
    }
}

void FirmwareHidDevice::sendConsumerReport(const emulator::ConsumerReport& report) {
    std::vector<uint8_t> padded(std::max(report.size(), wiring_.consumerReportLength), 0);
    std::copy(report.begin(), report.end(), padded.begin());
    queueInputReport(wiring_.consumerInterface, padded);
}

// Runs inside onOutputReport with the firmware lock held.
void FirmwareHidDevice::unplugged() {
    deferred_.clear(); // replies of a device that went away never arrive
    if (unplugHandler_) {
        unplugHandler_();
    }
}

EmulatedHidBus::DeviceId plugFirmwareDevice(EmulatedHidBus& bus,
                                            const std::shared_ptr<FirmwareHidDevice>& device) {
    const EmulatedHidBus::DeviceId id = bus.plug(device);
    device->setUnplugHandler([&bus, id] { bus.unplug(id); });
    return id;
}

std::shared_ptr<FirmwareHidDevice> firmwareDeviceOf(const EmulatedHidBus& bus,
                                                    EmulatedHidBus::DeviceId id) {
    return std::dynamic_pointer_cast<FirmwareHidDevice>(bus.device(id));
}

} // namespace morva::emulator
