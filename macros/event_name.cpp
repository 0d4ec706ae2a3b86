#include "macros/event_name.h"

#include "keyassign/key_catalogue.h"
#include "macros/event_packing.h"
#include "macros/mouse_event_table.h"

namespace morva::macros {
namespace {

// A button that fits the byte the catalogue and the table compare it with; a wider value names
// nothing rather than whatever its low byte would.
std::optional<uint8_t> buttonByte(const MacroEvent& event) {
    if (event.button < 0 || event.button > 0xFF) {
        return std::nullopt;
    }
    return static_cast<uint8_t>(event.button);
}

std::optional<size_t> mouseButtonRow(uint8_t button) {
    const auto rows = mouseEventTable();
    for (size_t i = 0; i < kFirstMovementRow; ++i) {
        if (rows[i].buttonBit == button) {
            return i; // the press row comes first
        }
    }
    return std::nullopt;
}

std::optional<size_t> movementRow(const MacroEvent& event) {
    const auto packedType =
        static_cast<uint8_t>(event.type | (event.isPress() ? kPackedPressBit : 0));
    const auto rows = mouseEventTable();
    for (size_t i = kFirstMovementRow; i < rows.size(); ++i) {
        if (rows[i].packedType == packedType) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<size_t> catalogueEntryOf(const MacroEvent& event) {
    const std::optional<uint8_t> button = buttonByte(event);
    if (!button) {
        return std::nullopt;
    }
    if (event.type == kTypeKeyboardKey) {
        return keyassign::findKeyByUsage(*button, keyassign::kFirstNonModifierEntry);
    }
    if (event.type == kTypeModifier) {
        return keyassign::findModifierByBit(*button);
    }
    return std::nullopt;
}

std::optional<size_t> mouseEventRowOf(const MacroEvent& event) {
    if (event.type == kTypeMoveHorizontal || event.type == kTypeMoveVertical) {
        return movementRow(event);
    }
    if (event.type != kTypeMouseButton) {
        return std::nullopt;
    }
    const std::optional<uint8_t> button = buttonByte(event);
    return button ? mouseButtonRow(*button) : std::nullopt;
}

EventName eventName(const MacroEvent& event) {
    if (const std::optional<size_t> entry = catalogueEntryOf(event)) {
        return {keyassign::keyCatalogue()[*entry].captionKey, std::nullopt};
    }
    const std::optional<size_t> row = mouseEventRowOf(event);
    if (!row) {
        return {};
    }
    EventName name{mouseEventTable()[*row].nameKey, std::nullopt};
    if (*row >= kFirstMovementRow) {
        name.distance = event.button;
    }
    return name;
}

} // namespace morva::macros
