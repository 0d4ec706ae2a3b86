#pragma once

#include "device/key_position_tables.h"
#include "profiles/profile_records.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// Where the keyboard's own keys sit on the on-screen keyboard. The keyboard reports its key table
// (N entries of 3 bytes: the code each device key holds) and its LED-index table (N bytes: the
// LED of each device key). A position maps to the first device key whose code is the position's
// factory code, and to that key's LED; 255 means none.
namespace morva::device {

inline constexpr uint8_t kNoDeviceKey = 255;
// The keyboard's key table never exceeds this many bytes.
inline constexpr size_t kKeyboardKeyTableLimit = 512;

// Every position on no device key.
constexpr std::array<uint8_t, kKeyPositionCount> unmappedPositions() {
    std::array<uint8_t, kKeyPositionCount> positions{};
    positions.fill(kNoDeviceKey);
    return positions;
}

struct KeyboardKeyMaps {
    std::array<uint8_t, kKeyPositionCount> deviceKey = unmappedPositions();
    std::array<uint8_t, kKeyPositionCount> led = unmappedPositions();

    bool operator==(const KeyboardKeyMaps&) const = default;
};

// `keyTable` holds N × 3 bytes, `ledTable` N bytes (missing LED entries map to none).
KeyboardKeyMaps buildKeyboardKeyMaps(std::span<const uint8_t> keyTable,
                                     std::span<const uint8_t> ledTable);

// The key table to write: the table read from the keyboard with the current code of every
// mapped position put into its device key's entry.
std::vector<uint8_t> keyboardKeyTableFor(std::span<const uint8_t> deviceTable,
                                         const KeyboardKeyMaps& maps,
                                         const std::vector<profiles::KeyAssignmentRecord>& keys);

} // namespace morva::device
