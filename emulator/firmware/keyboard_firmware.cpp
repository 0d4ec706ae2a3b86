#include "emulator/firmware/keyboard_firmware.h"

#include "emulator/firmware/factory_tables.h"

namespace morva::emulator {

FirmwareConfig KeyboardFirmware::defaultConfig() {
    return {.keyCount = static_cast<uint8_t>(kKeyboardFactoryKeys), .macroUnits = 32};
}

MemoryLayout KeyboardFirmware::memoryLayout() {
    return {.settings = {kSettingsBlock, kSettingsStride, kSettingsBlock, kSettingsStride},
            .ledIndexTable = true,
            .lightPageSize = kLightPageSize,
            .lightPageCount = kLightPages,
            .liveFrameBytes = kLiveFrameBytes,
            .statusBytes = kStatusBytes};
}

KeyboardFirmware::KeyboardFirmware(const FirmwareConfig& config)
    : CommandFirmware(config, memoryLayout()) {
    loadKeyboardFactoryKeys(keyTable());
}

} // namespace morva::emulator
