#pragma once

#include "profiles/profile_records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// The keyboard's settings block: 30 bytes per profile, every 26 bytes from offset 0 (so blocks
// overlap by four bytes), written with command 0x06 and read with 0x05.
//
//   byte 0       profile index
//   byte 1       effect; 21 and above travel as 1 both ways
//   byte 2       brightness level 0..4
//   byte 3       4 − speed (the keyboard counts speed the other way round)
//   byte 4       direction
//   byte 5       multicolour flag
//   bytes 6..8   red, green, blue
//   bytes 9..17  0
//   byte 18      ZZCC mode
//   byte 19      "WFlag"
//   byte 20      "Key6Flag"
//   byte 21      "WinFlag"
//   byte 22      "PollingRate" (written only)
//   bytes 23, 24 0
//   byte 25      side-light effect, written with 0 and 1 exchanged, read as it stands
//   byte 26      custom group (written only)
//   bytes 27..29 01 00 02
namespace morva::device {

inline constexpr size_t kKeyboardSettingsBlockSize = 30;
inline constexpr size_t kKeyboardSettingsStride = 26;
using KeyboardSettingsBlock = std::array<uint8_t, kKeyboardSettingsBlockSize>;

// What a block carries, written or read back.
struct KeyboardSettings {
    uint8_t profileIndex = 0;
    profiles::LightInfoRecord light;
    profiles::KeyboardSystemRecord system;

    bool operator==(const KeyboardSettings&) const = default;
};

KeyboardSettingsBlock encodeKeyboardSettings(const KeyboardSettings& settings);
// The block read back: the fields the keyboard reports; the others stay as in `current` (the
// repeat settings, the polling rate and the custom group live only in the profile).
KeyboardSettings decodeKeyboardSettings(std::span<const uint8_t, kKeyboardSettingsBlockSize> block,
                                        const KeyboardSettings& current);

} // namespace morva::device
