#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace morva::macros {

// Event types. Types 2 and 3 are mouse events without a name: nothing makes them, but a file may
// hold them, and they are kept, shown and packed like any other.
inline constexpr int kTypeMouseButton = 1;
inline constexpr int kTypeUnnamedMouse2 = 2;
inline constexpr int kTypeUnnamedMouse3 = 3;
inline constexpr int kTypeMoveHorizontal = 4; // "down" moves left, "up" right
inline constexpr int kTypeMoveVertical = 5;   // "down" moves up, "up" down
inline constexpr int kTypeModifier = 9;       // button: the boot-keyboard modifier bit
inline constexpr int kTypeKeyboardKey = 10;   // button: the HID usage on the keyboard page

inline constexpr std::string_view kActionDown = "down";
inline constexpr std::string_view kActionUp = "up";

// One event of a macro and the pause after it, as its file holds it. The action and the delay
// stay the texts that were read, so that a file loaded and saved again keeps what it had.
struct MacroEvent {
    int type = 0;
    int button = 0;
    std::string action;      // "down" is a press; any other text a release
    std::string delay = "0"; // milliseconds as decimal text

    // Only "down" exactly: "Down" and "" are releases.
    bool isPress() const { return action == kActionDown; }
    // The decimal value of the delay's leading digits; a text without them reads as 0. Values
    // beyond the device's 16 bits are kept (the editor clamps them), up to the largest uint32_t.
    uint32_t delayMs() const;

    bool operator==(const MacroEvent&) const = default;
};

// The value of a text's leading decimal digits (0 without any), held at the largest uint32_t.
uint32_t decimalValue(std::string_view text);

// An event as the program makes one: "down" or "up" and the delay as decimal text.
MacroEvent makeMacroEvent(int type, int button, bool press, uint32_t delayMs);

} // namespace morva::macros
