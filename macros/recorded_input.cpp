#include "macros/recorded_input.h"

#include "keyassign/key_catalogue.h"
#include "macros/event_packing.h"
#include "macros/mouse_event_table.h"
#include "macros/scan_code_table.h"

namespace morva::macros {
namespace {

bool isKeyPress(uint32_t message) {
    return message == input_message::kKeyDown || message == input_message::kSystemKeyDown;
}

bool isXButtonMessage(uint32_t message) {
    return message == input_message::kXButtonDown || message == input_message::kXButtonUp;
}

// The button rows (0..9) of the mouse event table that a message names; the X-button messages
// name one row per X button.
std::optional<size_t> mouseButtonRow(uint32_t message, const MouseHookRecord& record) {
    const uint32_t xButton = isXButtonMessage(message) ? record.xButton() : 0;
    const auto rows = mouseEventTable();
    for (size_t i = 0; i < kFirstMovementRow; ++i) {
        if (rows[i].windowsMessage == message && rows[i].xButton == xButton) {
            return i;
        }
    }
    return std::nullopt;
}

bool isLeftButton(uint32_t message) {
    return message == input_message::kLeftButtonDown || message == input_message::kLeftButtonUp;
}

} // namespace

bool KeyRepeatFilter::pass(bool press, uint32_t scanCode, bool extended) {
    const bool remembered = scanCode == scanCode_ && extended == extended_;
    if (press) {
        if (remembered) {
            return false;
        }
        scanCode_ = scanCode;
        extended_ = extended;
    } else if (remembered) {
        scanCode_ = 0;
        extended_ = false;
    }
    return true;
}

bool MouseRepeatFilter::pass(uint32_t message) {
    if (message == message_) {
        return false;
    }
    message_ = message;
    return true;
}

std::optional<RecordedInput> keyboardInput(uint32_t message, const KeyboardHookRecord& record,
                                           KeyRepeatFilter& repeats) {
    const bool press = isKeyPress(message);
    if (!repeats.pass(press, record.scanCode, record.extended())) {
        return std::nullopt;
    }
    const std::optional<size_t> row = findScanCodeRow(record.scanCode, record.extended());
    if (!row) {
        return std::nullopt;
    }
    const keyassign::KeyCatalogueEntry& entry = keyassign::keyCatalogue()[*row];
    if (entry.code.second != 0) {
        return RecordedInput{kTypeKeyboardKey, entry.code.second, press, entry.captionKey};
    }
    return RecordedInput{kTypeModifier, entry.code.first, press, entry.captionKey};
}

std::optional<RecordedInput> mouseInput(uint32_t message, const MouseHookRecord& record,
                                        MouseRepeatFilter& repeats,
                                        std::optional<ScreenRect> stopButton) {
    const std::optional<size_t> row = mouseButtonRow(message, record);
    if (!row || !repeats.pass(message)) {
        return std::nullopt;
    }
    if (isLeftButton(message) && stopButton && stopButton->contains(record.x, record.y)) {
        return std::nullopt;
    }
    const MouseEventRow& found = mouseEventTable()[*row];
    return RecordedInput{kTypeMouseButton, found.buttonBit,
                         (found.packedType & kPackedPressBit) != 0, found.nameKey};
}

} // namespace morva::macros
