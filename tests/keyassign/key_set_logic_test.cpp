#include "keyassign/key_set_logic.h"

#include <gtest/gtest.h>

namespace morva::keyassign {
namespace {

using profiles::AssignmentCode;
using profiles::KeyAssignmentRecord;

KeyAssignmentRecord record(AssignmentCode current, AssignmentCode factory) {
    KeyAssignmentRecord held;
    held.assignment.keyIndex = 3;
    held.assignment.code = current;
    held.defaultAssignment.keyIndex = 3;
    held.defaultAssignment.code = factory;
    return held;
}

constexpr AssignmentCode kFactoryA{0x20, 0x00, 0x04};

TEST(ShowAssignment, CategoryFollowsTheKind) {
    struct Case {
        AssignmentCode shown;
        std::optional<int> category;
    };
    const Case cases[] = {
        {kFactoryA, category::kFactory}, // equal to the factory half, whatever its kind
        {{0x00, 0x12, 0x34}, category::kFactory},
        {{0x10, 0x02, 0x00}, category::kMouseButton},
        {{0x11, 0x00, 0x01}, category::kSwing},
        {{0x12, 0x00, 0x01}, category::kWheel},
        {{0x13, 0x01, 0x00}, category::kDpi},
        {{0x14, 0x01, 0x01}, category::kRapidFire},
        {{0x20, 0x00, 0x05}, category::kKeyboardKey},
        {{0x20, 0x80, 0x05}, category::kKeyboardKey},
        {{0x20, 0x81, 0x05}, category::kShortcut},
        {{0x30, 0xCD, 0x00}, category::kMedia},
        {{0x40, 0x01, 0x00}, category::kSystem},
        {{0x70, 0x00, 0x00}, category::kMacro},
        {{0x71, 0x00, 0x02}, category::kMacro},
        {{0x72, 0x02, 0x00}, category::kGun},
        {{0xB0, 0x00, 0x00}, category::kShortcut},
        {{0xA0, 0x01, 0x00}, std::nullopt}, // Fn and the M keys have no category
        {{0xD0, 0xA2, 0x01}, std::nullopt},
        {{0x99, 0x00, 0x00}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(showAssignment(c.shown, kFactoryA, 2).category, c.category)
            << int(c.shown.kind) << " " << int(c.shown.first);
    }
}

TEST(ShowAssignment, KeyboardKeys) {
    // Right Ctrl shows as Ctrl; two modifiers show option 0; a usage the catalogue lacks is
    // held as no key at all.
    const AssignmentView rightCtrlA = showAssignment({0x20, 0x10, 0x04}, kFactoryA, 0);
    EXPECT_EQ(rightCtrlA.modifier, 1);
    EXPECT_EQ(rightCtrlA.keyCaption, "keyboard_key_A");
    EXPECT_FALSE(rightCtrlA.heldCurrent);

    const AssignmentView twoModifiers = showAssignment({0x20, 0x03, 0x04}, kFactoryA, 0);
    EXPECT_EQ(twoModifiers.modifier, 0);
    EXPECT_EQ(twoModifiers.keyCaption, "keyboard_key_A");

    const AssignmentView ctrlC = showAssignment({0x20, 0x01, 0x06}, kFactoryA, 0);
    EXPECT_EQ(ctrlC.category, category::kKeyboardKey);
    EXPECT_EQ(ctrlC.modifier, 1);
    EXPECT_EQ(ctrlC.keyCaption, "keyboard_key_C");

    const AssignmentView rightWin = showAssignment({0x20, 0x80, 0x00}, kFactoryA, 0);
    EXPECT_EQ(rightWin.modifier, 4);
    EXPECT_FALSE(rightWin.keyCaption);

    const AssignmentView unknown = showAssignment({0x20, 0x00, 0x99}, kFactoryA, 0);
    EXPECT_EQ(unknown.modifier, -1);
    EXPECT_EQ(unknown.keyCaption, "");
    EXPECT_EQ(unknown.heldCurrent, (AssignmentCode{0x20, 0x00, 0x00}));
}

TEST(ShowAssignment, SwingAndWheelFields) {
    const AssignmentView wheel = showAssignment({0x12, 0x25, 0xFD}, kFactoryA, 0);
    EXPECT_EQ(wheel.wheel, (PaceFields{1, "3", "2", "5"}));
    const AssignmentView wheelUp = showAssignment({0x12, 0x00, 0x07}, kFactoryA, 0);
    EXPECT_EQ(wheelUp.wheel, (PaceFields{0, "7", "0", "0"}));
    const AssignmentView swing = showAssignment({0x11, 0xF0, 0x83}, kFactoryA, 0);
    EXPECT_EQ(swing.swing, (PaceFields{1, "3", "15", "0"}));
}

TEST(ShowAssignment, MacroNumbersPastTheListSelectNothing) {
    struct Case {
        AssignmentCode shown;
        int macro;
        int playback;
        bool cycleVisible;
    };
    const Case cases[] = {
        {{0x70, 0x01, 0x02}, 1, 2, false},
        {{0x70, 0x02, 0x02}, -1, -1, false}, // number == count: one past the end
        {{0x71, 0x01, 0x2C}, 1, kMacroRepeatChoice, true},
        {{0x71, 0x02, 0x2C}, -1, -1, false},
    };
    for (const Case& c : cases) {
        const AssignmentView view = showAssignment(c.shown, kFactoryA, 2);
        EXPECT_EQ(view.macro, c.macro) << int(c.shown.kind) << int(c.shown.first);
        EXPECT_EQ(view.macroPlayback, c.playback) << int(c.shown.kind) << int(c.shown.first);
        EXPECT_EQ(view.macroCycleVisible, c.cycleVisible);
    }
    EXPECT_EQ(showAssignment({0x71, 0x01, 0x2C}, kFactoryA, 2).macroCycleCount, "44");
}

TEST(BuildAssignment, FromTheControls) {
    const KeyAssignmentRecord held = record({0x20, 0x00, 0x04}, {0x20, 0x00, 0x05});
    struct Case {
        const char* what;
        AssignmentInputs inputs;
        AssignmentCode built;
    };
    const auto with = [](int category, auto fill) {
        AssignmentInputs inputs;
        inputs.category = category;
        fill(inputs);
        return inputs;
    };
    const Case cases[] = {
        {"factory", with(category::kFactory, [](auto&) {}), {0x20, 0x00, 0x05}},
        {"no category", with(-1, [](auto&) {}), {0x20, 0x00, 0x05}},
        {"mouse right",
         with(category::kMouseButton, [](auto& i) { i.mouseButton = 2; }),
         {0x10, 0x02, 0x00}},
        {"mouse none keeps", with(category::kMouseButton, [](auto&) {}), {0x20, 0x00, 0x04}},
        {"swing right 3",
         with(category::kSwing,
              [](auto& i) {
                  i.swing = {1, "3", "0", "0"};
              }),
         {0x11, 0x00, 0x83}},
        {"swing delay 20 speed 3",
         with(category::kSwing,
              [](auto& i) {
                  i.swing = {0, "5", "20", "3"};
              }),
         {0x11, 0x43, 0x05}},
        {"swing count 200 left",
         with(category::kSwing,
              [](auto& i) {
                  i.swing = {0, "200", "", ""};
              }),
         {0x11, 0x00, 0x48}},
        {"wheel down 3",
         with(category::kWheel,
              [](auto& i) {
                  i.wheel = {1, "3", "1", "2"};
              }),
         {0x12, 0x12, 0xFD}},
        {"wheel up junk",
         with(category::kWheel,
              [](auto& i) {
                  i.wheel = {0, "abc", "", ""};
              }),
         {0x12, 0x00, 0x00}},
        {"dpi cycle", with(category::kDpi, [](auto& i) { i.dpiFunction = 2; }), {0x13, 0x03, 0x00}},
        {"rapid fire 300/5",
         with(category::kRapidFire,
              [](auto& i) {
                  i.fireInterval = "300";
                  i.fireCount = "5";
              }),
         {0x14, 0x2C, 0x05}},
        {"Shift with the held key",
         with(category::kKeyboardKey,
              [](auto& i) {
                  i.modifier = 2;
                  i.keyTextEmpty = false;
              }),
         {0x20, 0x02, 0x04}},
        {"empty key text",
         with(category::kKeyboardKey, [](auto& i) { i.modifier = 4; }),
         {0x20, 0x08, 0x00}},
        {"media mail", with(category::kMedia, [](auto& i) { i.media = 17; }), {0x30, 0x8A, 0x01}},
        {"system sleep",
         with(category::kSystem, [](auto& i) { i.system = 1; }),
         {0x40, 0x02, 0x00}},
        {"macro once",
         with(category::kMacro,
              [](auto& i) {
                  i.macro = 1;
                  i.macroPlayback = 0;
              }),
         {0x70, 0x01, 0x00}},
        {"macro 300 times",
         with(category::kMacro,
              [](auto& i) {
                  i.macro = 0;
                  i.macroPlayback = kMacroRepeatChoice;
                  i.macroCycleCount = "300";
              }),
         {0x71, 0x00, 0x2C}},
        {"macro past the list keeps",
         with(category::kMacro, [](auto& i) { i.macro = 2; }),
         {0x20, 0x00, 0x04}},
        {"gun 3", with(category::kGun, [](auto& i) { i.gun = 2; }), {0x72, 0x02, 0x00}},
        {"ctrl+v", with(category::kShortcut, [](auto& i) { i.shortcut = 6; }), {0x20, 0x01, 0x19}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(buildAssignment(c.inputs, held, 2), c.built) << c.what;
    }
}

// What showing a code puts in the controls builds the same code again.
TEST(BuildAssignment, ShowThenBuildRoundTrips) {
    const AssignmentCode codes[] = {
        {0x10, 0x10, 0x00}, {0x11, 0x43, 0x83}, {0x12, 0x21, 0xFD}, {0x12, 0x21, 0x7F},
        {0x13, 0x02, 0x00}, {0x14, 0x2C, 0x05}, {0x20, 0x04, 0x3A}, {0x30, 0x24, 0x02},
        {0x40, 0x01, 0x00}, {0x70, 0x01, 0x03}, {0x71, 0x00, 0x2C}, {0x72, 0x03, 0x00},
        {0x20, 0x01, 0x06},
    };
    for (const AssignmentCode& code : codes) {
        const KeyAssignmentRecord held = record(code, kFactoryA);
        const AssignmentView view = showAssignment(code, kFactoryA, 2);
        AssignmentInputs inputs;
        inputs.category = view.category.value_or(-1);
        inputs.mouseButton = view.mouseButton.value_or(-1);
        inputs.swing = view.swing.value_or(PaceFields{});
        inputs.wheel = view.wheel.value_or(PaceFields{});
        inputs.dpiFunction = view.dpiFunction.value_or(-1);
        inputs.fireInterval = view.fireInterval.value_or("");
        inputs.fireCount = view.fireCount.value_or("");
        inputs.modifier = view.modifier.value_or(-1);
        inputs.keyTextEmpty = view.keyCaption.value_or("").empty();
        inputs.media = view.media.value_or(-1);
        inputs.system = view.system.value_or(-1);
        inputs.macro = view.macro.value_or(-1);
        inputs.macroPlayback = view.macroPlayback.value_or(-1);
        inputs.macroCycleCount = view.macroCycleCount.value_or("");
        inputs.gun = view.gun.value_or(-1);
        inputs.shortcut = view.shortcut.value_or(-1);
        EXPECT_EQ(buildAssignment(inputs, held, 2), code)
            << int(code.kind) << " " << int(code.first) << " " << int(code.second);
    }
}

TEST(FieldNumber, ReadsLeadingDigits) {
    EXPECT_EQ(fieldNumber("300"), 300);
    EXPECT_EQ(fieldNumber(" 12abc"), 12);
    EXPECT_EQ(fieldNumber("abc"), 0);
    EXPECT_EQ(fieldNumber(""), 0);
    EXPECT_EQ(fieldNumber("-3"), -3);
    EXPECT_EQ(fieldNumber("99999999999999"), 2147483647);
}

} // namespace
} // namespace morva::keyassign
