#pragma once

#include "profiles/profile_records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// The settings block of a mouse pad, which the headset shares: read as 30 bytes every 26
// (command 0x05), written as the first 21 every 64 (command 0x06). The host keeps the first 21.
//
//   byte 0        profile index (as last read)
//   byte 1        effect; 9 and above travel as 0
//   byte 2        brightness level
//   byte 3        4 − speed on the wire; the record holds the speed 0–4
//   byte 4        direction (as last read: the profile's direction never reaches the pad)
//   byte 5        multicolour flag
//   bytes 6..8    red, green, blue
//   bytes 9..20   the pad's own settings, passed through unchanged
//   bytes 21..29  read only, not kept
namespace morva::device {

inline constexpr size_t kPadSettingsReadSize = 30;
inline constexpr size_t kPadSettingsReadStride = 26;
inline constexpr size_t kPadSettingsWriteSize = 21;
inline constexpr size_t kPadSettingsWriteStride = 64;
inline constexpr size_t kPadOwnBytes = 12;
using PadSettingsBlock = std::array<uint8_t, kPadSettingsWriteSize>;

// What the host keeps of the block.
struct PadSettings {
    uint8_t profileIndex = 0;
    uint8_t effect = 0;
    uint8_t brightness = 0;
    uint8_t speed = 0; // 0–4
    uint8_t direction = 0;
    uint8_t multiColor = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    std::array<uint8_t, kPadOwnBytes> own{};

    bool operator==(const PadSettings&) const = default;
};

PadSettingsBlock encodePadSettings(const PadSettings& settings);
// The block as read; the profile index is the one the block was read for.
PadSettings decodePadSettings(std::span<const uint8_t, kPadSettingsReadSize> block,
                              uint8_t profileIndex);
// The profile's light settings placed into the record: effect, brightness, speed, multicolour
// and colour; the direction and the pad's own bytes stay.
PadSettings withProfileLight(PadSettings settings, const profiles::LightInfoRecord& light);

} // namespace morva::device
