#include "keyassign/key_catalogue.h"
#include "macros/recorded_input.h"
#include "macros/scan_code_table.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace morva {
namespace {

using macros::KeyboardHookRecord;
using macros::MouseHookRecord;
using macros::RecordedInput;
namespace msg = macros::input_message;

// One key event of a script: the message and the key's scan code and prefix.
struct KeyStroke {
    uint32_t message;
    uint32_t scanCode;
    bool extended = false;
};

KeyStroke down(uint32_t scanCode, bool extended = false) {
    return {msg::kKeyDown, scanCode, extended};
}
KeyStroke up(uint32_t scanCode, bool extended = false) {
    return {msg::kKeyUp, scanCode, extended};
}

// What one keyboard handler records of a script, in order.
std::vector<RecordedInput> record(const std::vector<KeyStroke>& script) {
    macros::KeyRepeatFilter repeats;
    std::vector<RecordedInput> taken;
    for (const KeyStroke& stroke : script) {
        KeyboardHookRecord record;
        record.scanCode = stroke.scanCode;
        record.flags = stroke.extended ? KeyboardHookRecord::kExtendedFlag : 0;
        if (auto input = macros::keyboardInput(stroke.message, record, repeats)) {
            taken.push_back(*input);
        }
    }
    return taken;
}

constexpr uint32_t kA = 0x1E;
constexpr uint32_t kB = 0x30;
constexpr int kUsageA = 0x04;
constexpr int kUsageB = 0x05;

RecordedInput key(int usage, bool press, std::string_view name) {
    return {macros::kTypeKeyboardKey, usage, press, name};
}

struct ScriptCase {
    const char* what;
    std::vector<KeyStroke> script;
    std::vector<RecordedInput> recorded;
};

TEST(KeyboardInput, RepeatedPressesOfAHeldKeyRecordOnce) {
    const ScriptCase cases[] = {
        {"a held key repeats its press: one press, one release",
         {down(kA), down(kA), down(kA), down(kA), up(kA)},
         {key(kUsageA, true, "keyboard_key_A"), key(kUsageA, false, "keyboard_key_A")}},
        {"A, B, release A, A: the second A counts, B being the last press",
         {down(kA), down(kB), up(kA), down(kA)},
         {key(kUsageA, true, "keyboard_key_A"), key(kUsageB, true, "keyboard_key_B"),
          key(kUsageA, false, "keyboard_key_A"), key(kUsageA, true, "keyboard_key_A")}},
        {"releasing the remembered key lets it be pressed again",
         {down(kA), up(kA), down(kA), up(kA)},
         {key(kUsageA, true, "keyboard_key_A"), key(kUsageA, false, "keyboard_key_A"),
          key(kUsageA, true, "keyboard_key_A"), key(kUsageA, false, "keyboard_key_A")}},
        {"releasing another key does not forget the held one",
         {down(kA), up(kB), down(kA)},
         {key(kUsageA, true, "keyboard_key_A"), key(kUsageB, false, "keyboard_key_B")}},
        {"a key with Alt held comes as a system key and counts as a press and a release",
         {{msg::kSystemKeyDown, kA}, {msg::kSystemKeyUp, kA}},
         {key(kUsageA, true, "keyboard_key_A"), key(kUsageA, false, "keyboard_key_A")}},
        {"Enter and keypad Enter, Pause and Num Lock differ only by the prefix",
         {down(0x1C), down(0x1C, true), down(0x45), down(0x45, true)},
         {key(0x28, true, "keyboard_key_Enter"), key(0x58, true, "keyboard_key_Num Enter"),
          key(0x48, true, "keyboard_key_Pause"), key(0x53, true, "keyboard_key_Num Lock")}},
        {"modifiers record their bit as type 9",
         {down(0x1D), down(0x1D, true), down(0x36, true), up(0x5C, true)},
         {{macros::kTypeModifier, 0x01, true, "keyboard_key_LCtrl"},
          {macros::kTypeModifier, 0x10, true, "keyboard_key_RCtrl"},
          {macros::kTypeModifier, 0x20, true, "keyboard_key_RShift"},
          {macros::kTypeModifier, 0x80, false, "keyboard_key_RWin"}}},
        {"a media key (E0 22, play/pause) has no row, though G is 22 without the prefix",
         {down(0x22, true), up(0x22, true)},
         {}},
        {"a held media key still takes the repeat memory",
         {down(kA), down(0x22, true), down(kA)},
         {key(kUsageA, true, "keyboard_key_A"), key(kUsageA, true, "keyboard_key_A")}},
    };
    for (const ScriptCase& c : cases) {
        EXPECT_EQ(record(c.script), c.recorded) << c.what;
    }
}

TEST(ScanCodeTable, EachRowNamesTheKeyOfItsCatalogueEntryOnce) {
    const auto rows = macros::scanCodeTable();
    ASSERT_EQ(rows.size(), macros::kScanCodeRowCount);
    for (size_t i = 0; i < rows.size(); ++i) {
        // No two keys share a code, so every key is found at its own row.
        EXPECT_EQ(macros::findScanCodeRow(rows[i].scanCode, rows[i].extended), i)
            << keyassign::keyCatalogue()[i].captionKey;
        EXPECT_EQ(keyassign::keyCatalogue()[i].code.kind, 0x20) << i;
    }
    EXPECT_EQ(macros::findScanCodeRow(0x5B, false), std::nullopt);
}

// --- Mouse --------------------------------------------------------------------------------

struct Click {
    uint32_t message;
    uint32_t xButton = 0;
    int32_t x = 0;
    int32_t y = 0;
};

constexpr macros::ScreenRect kStopButton{100, 200, 180, 230};

std::vector<RecordedInput> record(const std::vector<Click>& script) {
    macros::MouseRepeatFilter repeats;
    std::vector<RecordedInput> taken;
    for (const Click& click : script) {
        MouseHookRecord record;
        record.x = click.x;
        record.y = click.y;
        record.mouseData = MouseHookRecord::xButtonData(click.xButton);
        if (auto input = macros::mouseInput(click.message, record, repeats, kStopButton)) {
            taken.push_back(*input);
        }
    }
    return taken;
}

RecordedInput button(int bit, bool press, std::string_view name) {
    return {macros::kTypeMouseButton, bit, press, name};
}

struct ClickCase {
    const char* what;
    std::vector<Click> script;
    std::vector<RecordedInput> recorded;
};

TEST(MouseInput, ButtonsByMessageAndXButtonNumber) {
    const ClickCase cases[] = {
        {"the three buttons, pressed and released",
         {{msg::kLeftButtonDown},
          {msg::kLeftButtonUp},
          {msg::kRightButtonDown},
          {msg::kRightButtonUp},
          {msg::kMiddleButtonDown},
          {msg::kMiddleButtonUp}},
         {button(0x01, true, "mouse_key_left"), button(0x01, false, "mouse_key_left"),
          button(0x02, true, "mouse_key_right"), button(0x02, false, "mouse_key_right"),
          button(0x04, true, "mouse_key_middle"), button(0x04, false, "mouse_key_middle")}},
        {"X button 1 is back, 2 forward",
         {{msg::kXButtonDown, 1}, {msg::kXButtonUp, 1}, {msg::kXButtonDown, 2}},
         {button(0x08, true, "mouse_key_back"), button(0x08, false, "mouse_key_back"),
          button(0x10, true, "mouse_key_forward")}},
        {"the second X button pressed while the first is held: the same message, dropped",
         {{msg::kXButtonDown, 1}, {msg::kXButtonDown, 2}, {msg::kXButtonUp, 2}},
         {button(0x08, true, "mouse_key_back"), button(0x10, false, "mouse_key_forward")}},
        {"an X button of another number and other messages are dropped and not remembered",
         {{msg::kXButtonDown, 3}, {0x0200}, {0x020A}, {msg::kLeftButtonDown}},
         {button(0x01, true, "mouse_key_left")}},
        {"a double press of one button is dropped",
         {{msg::kRightButtonDown}, {msg::kRightButtonDown}, {msg::kRightButtonUp}},
         {button(0x02, true, "mouse_key_right"), button(0x02, false, "mouse_key_right")}},
    };
    for (const ClickCase& c : cases) {
        EXPECT_EQ(record(c.script), c.recorded) << c.what;
    }
}

TEST(MouseInput, TheLeftButtonOnTheStopButtonIsNoPartOfTheMacro) {
    const ClickCase cases[] = {
        {"a left click on the stop button",
         {{msg::kLeftButtonDown, 0, 120, 210}, {msg::kLeftButtonUp, 0, 120, 210}},
         {}},
        {"a right click on it is recorded",
         {{msg::kRightButtonDown, 0, 100, 200}, {msg::kRightButtonUp, 0, 179, 229}},
         {button(0x02, true, "mouse_key_right"), button(0x02, false, "mouse_key_right")}},
        {"the right and bottom edges lie outside",
         {{msg::kLeftButtonDown, 0, 180, 210}, {msg::kLeftButtonUp, 0, 120, 230}},
         {button(0x01, true, "mouse_key_left"), button(0x01, false, "mouse_key_left")}},
        {"a press dropped on the stop button is still remembered: a second one is a repeat",
         {{msg::kLeftButtonDown, 0, 120, 210}, {msg::kLeftButtonDown, 0, 10, 10}},
         {}},
    };
    for (const ClickCase& c : cases) {
        EXPECT_EQ(record(c.script), c.recorded) << c.what;
    }
}

} // namespace
} // namespace morva
