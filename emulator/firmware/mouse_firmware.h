#pragma once

#include "emulator/firmware/command_firmware.h"

namespace morva::emulator {

// Key table, settings blocks of 71 bytes every 128 (written as their first 66), macro and
// gun-key memory, DPI data in the device information, live frames.
class MouseFirmware : public CommandFirmware {
public:
    static constexpr size_t kSettingsReadBlock = 71;
    static constexpr size_t kSettingsWriteBlock = 66;
    static constexpr size_t kSettingsStride = 128;
    // Room for four guns of 180 events (2920 bytes).
    static constexpr size_t kGunKeyBytes = 4096;

    static FirmwareConfig defaultConfig();
    static MemoryLayout memoryLayout();
    explicit MouseFirmware(const FirmwareConfig& config = defaultConfig());
};

// A mouse reached through its wireless receiver. The receiver answers the link check itself;
// while the mouse is not linked every other request goes unanswered.
class WirelessMouseFirmware : public MouseFirmware {
public:
    explicit WirelessMouseFirmware(const FirmwareConfig& config = defaultConfig());

    void setLinked(bool linked) { linked_ = linked; }
    bool isLinked() const { return linked_; }

protected:
    uint8_t execute(std::span<const uint8_t, device::kPacketSize> request,
                    device::CommandPacket& reply) override;
    bool answers(uint8_t command) const override;

private:
    bool linked_ = true;
};

} // namespace morva::emulator
