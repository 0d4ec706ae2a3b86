#pragma once

#include "emulator/firmware/command_firmware.h"

namespace morva::emulator {

// Settings read as 30 bytes every 26 and written as 21 bytes every 64, the 6-byte status,
// live frames. No keys, no macros.
class MousePadFirmware : public CommandFirmware {
public:
    static constexpr size_t kSettingsReadBlock = 30;
    static constexpr size_t kSettingsReadStride = 26;
    static constexpr size_t kSettingsWriteBlock = 21;
    static constexpr size_t kSettingsWriteStride = 64;

    static FirmwareConfig defaultConfig();
    static MemoryLayout memoryLayout();
    explicit MousePadFirmware(const FirmwareConfig& config = defaultConfig());
};

} // namespace morva::emulator
