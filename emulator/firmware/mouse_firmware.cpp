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
    return linked_ || command == command::kLinkCheck;
}

uint8_t WirelessMouseFirmware::execute(std::span<const uint8_t, kPacketSize> request,
                                       CommandPacket& reply) {
    if (packetCommand(request) == command::kLinkCheck) {
        reply[packet_byte::kData] = linked_ ? kLinkUp : 0x00;
        return kStatusOk;
    }
    return MouseFirmware::execute(request, reply);
}

} // namespace morva::emulator
