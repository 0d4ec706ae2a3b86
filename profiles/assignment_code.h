#pragma once

#include <cstdint>

namespace morva::profiles {

// The function kinds of an assignment code.
namespace assignment_kind {
inline constexpr uint8_t kMouseButton = 0x10; // button bit, 0
inline constexpr uint8_t kSwing = 0x11;       // delay << 4 | speed, direction << 7 | count
inline constexpr uint8_t kWheel = 0x12;   // delay << 4 | speed, up: count, down: 0x80 | 128 - count
inline constexpr uint8_t kDpiStep = 0x13; // 1 up, 2 down, 3 cycle
inline constexpr uint8_t kRapidFire = 0x14; // interval, count
// A mouse's factory DPI-shift button: the DPI while it is held, low byte then high byte.
inline constexpr uint8_t kSniper = 0x16;
inline constexpr uint8_t kKeyboardKey = 0x20; // modifier bits, HID usage (0: none)
inline constexpr uint8_t kMediaKey = 0x30;    // Consumer-page usage, low byte then high byte
inline constexpr uint8_t kSystemKey = 0x40;   // 1 power, 2 sleep, 4 wake
inline constexpr uint8_t kMacro = 0x70;       // macro number, playback choice 0..3
inline constexpr uint8_t kMacroRepeat = 0x71; // macro number, repeat count
inline constexpr uint8_t kGun = 0x72;         // gun pattern index, 0
inline constexpr uint8_t kLayerKey = 0xA0;    // Fn, GM
inline constexpr uint8_t kShortcutGroup = 0xB0;
inline constexpr uint8_t kExtraKey = 0xD0; // M1..M5
} // namespace assignment_kind

// What a key or button does: a function kind and two parameters (a macro: kind 0x70 or 0x71 and
// its number; a keyboard key: 0x20, modifiers and usage). Devices hold it as three bytes in this
// order; profiles store it in JSON as kind * 65536 + first * 256 + second. The named
// constructors keep each parameter within the bits its kind gives it.
struct AssignmentCode {
    uint8_t kind = 0;
    uint8_t first = 0;
    uint8_t second = 0;

    bool operator==(const AssignmentCode&) const = default;

    static constexpr AssignmentCode mouseButton(uint8_t buttonBit) {
        return {assignment_kind::kMouseButton, buttonBit, 0};
    }
    // Direction 0 left, 1 right; delay and speed 0..15, count 0..127.
    static constexpr AssignmentCode swing(int direction, int count, int delay, int speed) {
        return {assignment_kind::kSwing, pace(delay, speed),
                static_cast<uint8_t>((direction == 1 ? 0x80 : 0) | (count & 0x7F))};
    }
    // Direction 0 up, 1 down; delay and speed 0..15, count 0..127.
    static constexpr AssignmentCode wheel(int direction, int count, int delay, int speed) {
        return {assignment_kind::kWheel, pace(delay, speed),
                static_cast<uint8_t>(direction == 1 ? (0x80 | ((128 - count) & 0xFF))
                                                    : (count & 0x7F))};
    }
    static constexpr AssignmentCode dpiStep(uint8_t function) {
        return {assignment_kind::kDpiStep, function, 0};
    }
    static constexpr AssignmentCode rapidFire(int interval, int count) {
        return {assignment_kind::kRapidFire, static_cast<uint8_t>(interval & 0xFF),
                static_cast<uint8_t>(count & 0xFF)};
    }
    static constexpr AssignmentCode keyboardKey(uint8_t modifiers, uint8_t usage) {
        return {assignment_kind::kKeyboardKey, modifiers, usage};
    }
    static constexpr AssignmentCode mediaKey(uint16_t consumerUsage) {
        return {assignment_kind::kMediaKey, static_cast<uint8_t>(consumerUsage & 0xFF),
                static_cast<uint8_t>(consumerUsage >> 8)};
    }
    static constexpr AssignmentCode systemKey(uint8_t bit) {
        return {assignment_kind::kSystemKey, bit, 0};
    }
    // Playback choice 0..3.
    static constexpr AssignmentCode macro(uint8_t number, uint8_t choice) {
        return {assignment_kind::kMacro, number, choice};
    }
    static constexpr AssignmentCode macroRepeated(uint8_t number, int count) {
        return {assignment_kind::kMacroRepeat, number, static_cast<uint8_t>(count & 0xFF)};
    }
    static constexpr AssignmentCode gun(uint8_t pattern) {
        return {assignment_kind::kGun, pattern, 0};
    }

    // Swing and wheel: the delay and speed in the first parameter.
    constexpr int delay() const { return first >> 4; }
    constexpr int speed() const { return first & 0x0F; }
    // Swing and wheel: 1 when bit 7 of the second parameter is set (right, down).
    constexpr int direction() const { return (second & 0x80) != 0 ? 1 : 0; }
    // Swing: the count in bits 0..6. Wheel: 128 - (bits 0..6) downwards, the value upwards.
    constexpr int swingCount() const { return second & 0x7F; }
    constexpr int wheelCount() const { return direction() == 1 ? 128 - (second & 0x7F) : second; }
    constexpr uint16_t consumerUsage() const {
        return static_cast<uint16_t>(first | (second << 8));
    }
    constexpr bool isMacro() const {
        return kind == assignment_kind::kMacro || kind == assignment_kind::kMacroRepeat;
    }

private:
    static constexpr uint8_t pace(int delay, int speed) {
        return static_cast<uint8_t>(((delay & 0x0F) << 4) | (speed & 0x0F));
    }
};
static_assert(sizeof(AssignmentCode) == 3);

// The JSON form; a stored value keeps only its low 24 bits.
int32_t encodeAssignmentCode(const AssignmentCode& code);
AssignmentCode decodeAssignmentCode(int32_t stored);

} // namespace morva::profiles
