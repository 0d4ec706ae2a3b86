#pragma once

#include "profiles/profile_records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The mouse's settings block: 71 bytes per profile every 128 bytes; the host writes the first
// 66 (command 0x06) and reads all 71 (command 0x05). 16-bit values are little-endian.
//
//   byte 0        index byte (the program passes 0)
//   byte 1        effect; 9 and above travel as 0
//   byte 2        brightness level
//   byte 3        speed when wired, 4 − speed when wireless (inverted once, never twice);
//                 read back as 4 − byte either way
//   byte 4        direction (written only)
//   byte 5        multicolour flag
//   bytes 6..8    red, green, blue
//   bytes 9, 10   0
//   byte 11       report-rate index (written only)
//   byte 12       index of the active DPI stage
//   byte 13       0
//   bytes 14..58  five DPI stages of 9 bytes: enabled, separate X/Y, X (2 bytes), Y (2 bytes),
//                 red, green, blue; stages the profile does not have are 0
//   byte 59       flag (the program passes 1)
//   bytes 60..63  screen width, screen height in pixels
//   byte 64       "CorrectMinSq" of the selected correction, 0 without one
//   byte 65       "CorrectPixThresh" of the selected correction, 0 without one
//   bytes 66..70  not written
namespace morva::device {

inline constexpr size_t kMouseSettingsBlockSize = 71;
inline constexpr size_t kMouseSettingsWriteSize = 66;
inline constexpr size_t kMouseSettingsStride = 128;
inline constexpr size_t kMouseDpiStages = 5;
using MouseSettingsBlock = std::array<uint8_t, kMouseSettingsBlockSize>;

// What the block carries.
struct MouseSettings {
    uint8_t indexByte = 0;
    profiles::LightInfoRecord light;
    bool wireless = false;
    uint8_t reportRate = 0;
    uint8_t activeStage = 0;
    std::vector<profiles::DpiStageRecord> stages; // the first five count
    uint8_t flag = 1;
    uint16_t screenWidth = 0;
    uint16_t screenHeight = 0;
    std::optional<profiles::CorrectionRecord> correction;
};

MouseSettingsBlock encodeMouseSettings(const MouseSettings& settings);

// What the mouse reports back: its current profile index, the lighting and the active stage.
struct MouseSettingsReadBack {
    uint8_t profileIndex = 0;
    profiles::LightInfoRecord light;
    uint8_t activeStage = 0;
};
// The light fields the block does not carry stay as in `current`.
MouseSettingsReadBack decodeMouseSettings(std::span<const uint8_t, kMouseSettingsBlockSize> block,
                                          const profiles::LightInfoRecord& current);

// The correction entry the block carries: the first one selected.
std::optional<profiles::CorrectionRecord>
selectedCorrection(const std::vector<profiles::CorrectionRecord>& corrections);

} // namespace morva::device
