#pragma once

#include <cstdint>
#include <optional>

// What the keyboard reports on its event interface: one 16-bit code per input report.
//
//   0x0401            the keyboard asks the program to read its settings back
//   0x0500 + k        device key k pressed   (k < 256)
//   0x0600 + k        device key k released
//
// Every other code means nothing to the program.
namespace morva::device {

struct KeyboardEvent {
    enum class Kind { SynchronisationRequest, KeyDown, KeyUp };
    Kind kind = Kind::SynchronisationRequest;
    uint8_t deviceKey = 0; // the keyboard's own key index, for key events

    bool operator==(const KeyboardEvent&) const = default;
};

inline constexpr uint16_t kKeyboardSynchronisationCode = 0x0401;
inline constexpr uint16_t kKeyboardKeyDownCodes = 0x0500;
inline constexpr uint16_t kKeyboardKeyUpCodes = 0x0600;

std::optional<KeyboardEvent> decodeKeyboardEvent(uint16_t code);
uint16_t encodeKeyboardEvent(const KeyboardEvent& event);

} // namespace morva::device
