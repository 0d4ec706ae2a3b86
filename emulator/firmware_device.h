#pragma once

#include "emulator/deferred_reports.h"
#include "emulator/emulated_hid_bus.h"
#include "emulator/emulated_hid_device.h"
#include "emulator/firmware/command_firmware.h"

#include <functional>
#include <memory>
#include <mutex>

namespace morva::emulator {

// An emulated device with its firmware behind the wire: output reports written to the command
// interface go to the firmware; its replies come back as input reports on that interface (after
// the firmware's latency, without holding up the writer); its consumer reports are sent on the
// consumer interface. A write that the firmware refuses (a failed write, an unplugged device)
// fails on the host. Output reports still reach an output handler, if one is set.
class FirmwareHidDevice final : public EmulatedHidDevice {
public:
    struct Wiring {
        int commandInterface = 1;
        int consumerInterface = 1;
        size_t consumerReportLength = 0; // consumer reports are padded with zeros to this length
    };

    FirmwareHidDevice(uint16_t vendorId, uint16_t productId, uint16_t versionNumber,
                      std::vector<Interface> interfaces,
                      std::unique_ptr<emulator::CommandFirmware> firmware, const Wiring& wiring);
    ~FirmwareHidDevice() override;

    bool onOutputReport(int interfaceNumber, std::span<const uint8_t> report) override;

    // The firmware, for tests to preset and inspect its memory and arm faults. Direct access is
    // safe between exchanges (while no other thread writes to the device); withFirmware runs fn
    // under the lock that every output report takes.
    emulator::CommandFirmware& firmware() { return *firmware_; }
    template <typename Firmware> Firmware* firmwareAs() {
        return dynamic_cast<Firmware*>(firmware_.get());
    }
    template <typename Fn> decltype(auto) withFirmware(Fn&& fn) {
        std::lock_guard lock(firmwareMutex_);
        return fn(*firmware_);
    }

    // What removes the device from its bus when an unplug fault fires (plugFirmwareDevice sets
    // it); runs on the writer's thread.
    void setUnplugHandler(std::function<void()> handler);
    // True when no reply waits for its latency to pass.
    bool repliesDelivered() const { return deferred_.empty(); }

private:
    void sendReplies(const emulator::FirmwareResponse& response, uint32_t latencyMs);
    void sendConsumerReport(const emulator::ConsumerReport& report);
    void unplugged();

    Wiring wiring_;
    std::mutex firmwareMutex_;
    std::unique_ptr<emulator::CommandFirmware> firmware_;
    std::function<void()> unplugHandler_; // guarded by firmwareMutex_
    DeferredReports deferred_;            // last: its thread stops before the rest goes
};

// Plugs a firmware-backed device into a bus and lets its unplug fault pull it out of that bus.
// The bus must outlive the device's use.
EmulatedHidBus::DeviceId plugFirmwareDevice(EmulatedHidBus& bus,
                                            const std::shared_ptr<FirmwareHidDevice>& device);
// The firmware-backed device plugged in under an id (as the demo plugs them); nullptr when none.
std::shared_ptr<FirmwareHidDevice> firmwareDeviceOf(const EmulatedHidBus& bus,
                                                    EmulatedHidBus::DeviceId id);

} // namespace morva::emulator
