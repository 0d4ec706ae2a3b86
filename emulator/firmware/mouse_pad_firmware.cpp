#include "emulator/firmware/mouse_pad_firmware.h"

namespace morva::emulator {

FirmwareConfig MousePadFirmware::defaultConfig() {
    return {};
}

MemoryLayout MousePadFirmware::memoryLayout() {
    return {.settings = {kSettingsReadBlock, kSettingsReadStride, kSettingsWriteBlock,
                         kSettingsWriteStride},
            .liveFrameBytes = kLiveFrameBytes,
            .statusBytes = kStatusBytes};
}

MousePadFirmware::MousePadFirmware(const FirmwareConfig& config)
    : CommandFirmware(config, memoryLayout()) {}

} // namespace morva::emulator
