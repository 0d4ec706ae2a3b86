#pragma once

#include "emulator/firmware/command_firmware.h"

namespace morva::emulator {

// Key table and LED-index table, settings blocks of 30 bytes every 26 bytes, macro memory,
// custom light pages of 512 bytes, live frames.
class KeyboardFirmware : public CommandFirmware {
public:
    static constexpr size_t kSettingsBlock = 30;
    static constexpr size_t kSettingsStride = 26;
    static constexpr size_t kLightPageSize = 512;
    static constexpr size_t kLightPages = 8;

    static FirmwareConfig defaultConfig();
    static MemoryLayout memoryLayout();
    explicit KeyboardFirmware(const FirmwareConfig& config = defaultConfig());
};

} // namespace morva::emulator
