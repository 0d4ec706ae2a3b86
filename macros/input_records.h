#pragma once

#include <cstdint>

// What the input capture reports while a macro records or a key is captured, in the shape of the
// desktop hooks the recording logic was written against: a keyboard message with its low-level
// keyboard record, and a mouse message with its mouse record.
namespace morva::macros {

namespace input_message {
inline constexpr uint32_t kKeyDown = 0x0100;
inline constexpr uint32_t kKeyUp = 0x0101;
inline constexpr uint32_t kSystemKeyDown = 0x0104; // a key pressed while Alt is held
inline constexpr uint32_t kSystemKeyUp = 0x0105;
inline constexpr uint32_t kLeftButtonDown = 0x0201;
inline constexpr uint32_t kLeftButtonUp = 0x0202;
inline constexpr uint32_t kRightButtonDown = 0x0204;
inline constexpr uint32_t kRightButtonUp = 0x0205;
inline constexpr uint32_t kMiddleButtonDown = 0x0207;
inline constexpr uint32_t kMiddleButtonUp = 0x0208;
inline constexpr uint32_t kXButtonDown = 0x020B; // which X button: MouseHookRecord::xButton()
inline constexpr uint32_t kXButtonUp = 0x020C;
} // namespace input_message

// One key event: the layout's virtual key, the set-1 make code, and flags of which bit 0 tells
// the E0 prefix.
struct KeyboardHookRecord {
    static constexpr uint32_t kExtendedFlag = 0x01;

    uint32_t virtualKey = 0;
    uint32_t scanCode = 0;
    uint32_t flags = 0;
    uint32_t time = 0;
    uint32_t extraInfo = 0;

    bool extended() const { return (flags & kExtendedFlag) != 0; }
};

// One mouse-button event: the cursor in screen pixels and, for the X buttons, which one in the
// high 16 bits of mouseData (1 the first, "back"; 2 the second, "forward").
struct MouseHookRecord {
    int32_t x = 0;
    int32_t y = 0;
    uint32_t mouseData = 0;
    uint32_t flags = 0;
    uint32_t time = 0;
    uint32_t extraInfo = 0;

    uint32_t xButton() const { return mouseData >> 16; }
    static constexpr uint32_t xButtonData(uint32_t xButton) { return xButton << 16; }
};

} // namespace morva::macros
