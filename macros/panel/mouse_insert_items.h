#pragma once

#include "macros/macro_event.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace morva::macros {

// What a button or menu item of the macro panel inserts: rows of the mouse event table (a click is
// the press, then the release) and, for a movement, the field that holds its distance.
struct MouseInsertItem {
    std::string_view name; // the control or menu item
    uint8_t firstRow = 0;
    std::optional<uint8_t> secondRow;
    std::string_view distanceField; // empty for the buttons
};

std::span<const MouseInsertItem> mouseInsertItems();
const MouseInsertItem* findMouseInsertItem(std::string_view name);

// The events an item inserts, with the pause given; a movement's distance is the low 8 bits of the
// field's number (300 gives 44).
std::vector<MacroEvent> insertedEvents(const MouseInsertItem& item, std::string_view distanceText,
                                       uint32_t delayMs);

} // namespace morva::macros
