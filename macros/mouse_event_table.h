#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace morva::macros {

// One row of the mouse event table, which records, names and inserts mouse events. Rows 0..9 are
// button presses and releases keyed by the desktop's mouse message (the X buttons by which of
// them it is); rows 10..13 are cursor movements, which no message makes.
struct MouseEventRow {
    uint16_t windowsMessage = 0; // 0 for the movements
    uint8_t xButton = 0;         // 1 or 2 for the X-button messages, else 0
    uint8_t buttonBit = 0;       // the event's button; 0 for the movements
    uint8_t packedType = 0;      // the packed type byte: type, bit 7 for "down"
    std::string_view nameKey;    // the language key of the event's name
};

inline constexpr size_t kMouseEventRowCount = 14;
inline constexpr size_t kFirstMovementRow = 10;

std::span<const MouseEventRow> mouseEventTable();

} // namespace morva::macros
