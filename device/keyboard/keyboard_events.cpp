#include "device/keyboard/keyboard_events.h"

namespace morva::device {

std::optional<KeyboardEvent> decodeKeyboardEvent(uint16_t code) {
    const auto key = static_cast<uint8_t>(code & 0xFF);
    switch (code & 0xFF00) {
    case kKeyboardKeyDownCodes:
        return KeyboardEvent{KeyboardEvent::Kind::KeyDown, key};
    case kKeyboardKeyUpCodes:
        return KeyboardEvent{KeyboardEvent::Kind::KeyUp, key};
    default:
        break;
    }
    if (code == kKeyboardSynchronisationCode) {
        return KeyboardEvent{KeyboardEvent::Kind::SynchronisationRequest, 0};
    }
    return std::nullopt;
}

uint16_t encodeKeyboardEvent(const KeyboardEvent& event) {
    switch (event.kind) {
    case KeyboardEvent::Kind::KeyDown:
        return static_cast<uint16_t>(kKeyboardKeyDownCodes + event.deviceKey);
    case KeyboardEvent::Kind::KeyUp:
        return static_cast<uint16_t>(kKeyboardKeyUpCodes + event.deviceKey);
    case KeyboardEvent::Kind::SynchronisationRequest:
        break;
    }
    return kKeyboardSynchronisationCode;
}

} // namespace morva::device
