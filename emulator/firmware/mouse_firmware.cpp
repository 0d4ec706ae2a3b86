#include "emulator/firmware/mouse_firmware.h"

#include "emulator/firmware/factory_tables.h"

namespace morva::emulator {

FirmwareConfig MouseFirmware::defaultConfig() {
    return {.keyCount = static_cast<uint8_t>(kMouseFactoryButtons),
            .macroUnits = 16,
            .dpiPerStep = 50,
            .dpiSteps = 320,
            .lowestDpi = 100};
}

MemoryLayout MouseFirmware::memoryLayout() {
    return {.settings = {kSettingsReadBlock, kSettingsStride, kSettingsWriteBlock, kSettingsStride},
            .gunKeyBytes = kGunKeyBytes,
            .liveFrameBytes = kLiveFrameBytes,
            .statusBytes = kStatusBytes};
}

MouseFirmware::MouseFirmware(const FirmwareConfig& config)
    : CommandFirmware(config, memoryLayout()) {
    loadMouseFactoryKeys(keyTable());
}

WirelessMouseFirmware::WirelessMouseFirmware(const FirmwareConfig& config)
    : MouseFirmware(config) {}

bool WirelessMouseFirmware::answers(uint8_t command) const {
    return linked_ || command == device::command::kLinkCheck;
}

uint8_t WirelessMouseFirmware::execute(std::span<const uint8_t, device::kPacketSize> request,
                                       device::CommandPacket& reply) {
    if (device::packetCommand(request) == device::command::kLinkCheck) {
        reply[device::packet_byte::kData] = linked_ ? device::kLinkUp : 0x00;
        return kStatusOk;
    }
    return MouseFirmware::execute(request, reply);
}

} // namespace morva::emulator
