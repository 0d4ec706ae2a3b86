#include "macros/panel/mouse_insert_items.h"

#include "macros/event_packing.h"
#include "macros/mouse_event_table.h"

#include <array>

namespace morva::macros {
namespace {

constexpr auto kItems = std::to_array<MouseInsertItem>({
    {"left_down", 0, std::nullopt, ""},
    {"left_up", 1, std::nullopt, ""},
    {"left_click", 0, 1, ""},
    {"right_down", 2, std::nullopt, ""},
    {"right_up", 3, std::nullopt, ""},
    {"right_click", 2, 3, ""},
    {"middle_down", 4, std::nullopt, ""},
    {"middle_up", 5, std::nullopt, ""},
    {"middle_click", 4, 5, ""},
    {"forward_down", 6, std::nullopt, ""},
    {"forward_up", 7, std::nullopt, ""},
    {"forward_click", 6, 7, ""},
    {"back_down", 8, std::nullopt, ""},
    {"back_up", 9, std::nullopt, ""},
    {"back_click", 8, 9, ""},
    {"macro_inset_moveleftkey_btn", 10, std::nullopt, "mouse_x_left_edit"},
    {"macro_inset_moverightkey_btn", 11, std::nullopt, "mouse_x_right_edit"},
    {"macro_inset_moveupkey_btn", 12, std::nullopt, "mouse_y_up_edit"},
    {"macro_inset_movedownkey_btn", 13, std::nullopt, "mouse_y_down_edit"},
});

MacroEvent eventOfRow(size_t row, uint8_t distance, uint32_t delayMs) {
    const MouseEventRow& found = mouseEventTable()[row];
    const int button = row >= kFirstMovementRow ? distance : found.buttonBit;
    return makeMacroEvent(found.packedType & ~kPackedPressBit, button,
                          (found.packedType & kPackedPressBit) != 0, delayMs);
}

} // namespace

std::span<const MouseInsertItem> mouseInsertItems() {
    return kItems;
}

const MouseInsertItem* findMouseInsertItem(std::string_view name) {
    for (const MouseInsertItem& item : kItems) {
        if (item.name == name) {
            return &item;
        }
    }
    return nullptr;
}

std::vector<MacroEvent> insertedEvents(const MouseInsertItem& item, std::string_view distanceText,
                                       uint32_t delayMs) {
    const auto distance = static_cast<uint8_t>(decimalValue(distanceText) & 0xFF);
    std::vector<MacroEvent> events{eventOfRow(item.firstRow, distance, delayMs)};
    if (item.secondRow) {
        events.push_back(eventOfRow(*item.secondRow, distance, delayMs));
    }
    return events;
}

} // namespace morva::macros
