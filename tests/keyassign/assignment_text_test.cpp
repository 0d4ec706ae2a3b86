#include "keyassign/assignment_lists.h"
#include "keyassign/assignment_text.h"
#include "keyassign/key_catalogue.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace morva::keyassign {
namespace {

using profiles::AssignmentCode;

const std::vector<std::string> kMacros = {"Build", "Reload all"};

TEST(AssignmentText, DescribesEveryKind) {
    struct Case {
        AssignmentCode code;
        std::string text;
    };
    const Case cases[] = {
        {{0x20, 0x01, 0x06}, "Ctrl+C"},
        {{0x20, 0x41, 0x3D}, "Ctrl+RAlt+F4"},
        {{0x20, 0x02, 0x00}, "LShift"},
        {{0x20, 0x03, 0x00}, "Ctrl+Shift"},
        {{0x20, 0x00, 0x00}, "None"},
        {{0x20, 0x00, 0x99}, "Usage 0x99"},
        {{0x10, 0x08, 0x00}, "Mouse 4"},
        {{0x10, 0x40, 0x00}, "Code 0x104000"},
        {{0x13, 0x01, 0x00}, "DPI+"},
        {{0x11, 0x25, 0x83},
         "Swing right \xC3\x97"
         "3 delay 2 speed 5"},
        {{0x12, 0x01, 0xFD},
         "Wheel down \xC3\x97"
         "3 delay 0 speed 1"},
        {{0x12, 0x00, 0x05},
         "Wheel up \xC3\x97"
         "5 delay 0 speed 0"},
        {{0x14, 0x14, 0x05},
         "Rapid fire \xC3\x97"
         "5 interval 20"},
        {{0x30, 0xCD, 0x00}, "Play/Pause"},
        {{0x30, 0x34, 0x12}, "Consumer 0x1234"},
        {{0x40, 0x02, 0x00}, "Sleep"},
        {{0x70, 0x01, 0x00}, "Macro \"Reload all\""},
        {{0x70, 0x00, 0x01}, "Macro \"Build\" while held"},
        {{0x71, 0x00, 0x03},
         "Macro \"Build\" \xC3\x97"
         "3"},
        {{0x70, 0x04, 0x00}, "Macro #4"},
        {{0x72, 0x01, 0x00}, "Gun 2"},
        {{0xA0, 0x01, 0x00}, "Fn"},
        {{0xD0, 0xA2, 0x03}, "M3"},
        {{0x00, 0x00, 0x00}, "Default"},
        {{0xC0, 0x01, 0x02}, "Code 0xC00102"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(describeAssignment(c.code, kMacros), c.text);
    }
}

// Every code a user can pick reads back as itself from its text.
TEST(AssignmentText, TextReadsBackAsTheSameCode) {
    std::vector<AssignmentCode> codes = {
        AssignmentCode::swing(1, 127, 15, 15),
        AssignmentCode::wheel(1, 1, 0, 3),
        AssignmentCode::wheel(0, 0, 9, 9),
        AssignmentCode::rapidFire(255, 0),
        AssignmentCode::macro(1, 3),
        AssignmentCode::macroRepeated(0, 255),
        AssignmentCode::macro(9, 0),
        AssignmentCode::gun(3),
        {0x20, 0xFF, 0x2C},
        {0x20, 0x00, 0x00},
        {0x20, 0x00, 0x99},
        {0x55, 0x66, 0x77},
        AssignmentCode::mediaKey(0x0ABC),
    };
    for (const KeyCatalogueEntry& entry : keyCatalogue()) {
        codes.push_back(entry.code);
    }
    for (const auto list :
         {mouseButtonList(), dpiFunctionList(), mediaKeyList(), systemKeyList(), shortcutList()}) {
        for (const AssignmentChoice& choice : list) {
            codes.push_back(choice.code);
        }
    }
    for (const AssignmentCode& code : codes) {
        const std::string text = describeAssignment(code, kMacros);
        const ParsedAssignment parsed = parseAssignment(text, kMacros);
        ASSERT_TRUE(parsed.code.has_value()) << text << ": " << parsed.error;
        EXPECT_EQ(*parsed.code, code) << text;
    }
}

TEST(AssignmentText, ReadsLooserSpellings) {
    struct Case {
        std::string_view text;
        AssignmentCode code;
    };
    const Case cases[] = {
        {"ctrl+shift+a", {0x20, 0x03, 0x04}},
        {" RCtrl+Num + ", {0x20, 0x10, 0x57}},
        {"Control+Super+Space", {0x20, 0x09, 0x2C}},
        {"wheel DOWN x3", {0x12, 0x00, 0xFD}},
        {"Swing left X7 speed 4 delay 1", {0x11, 0x14, 0x07}},
        {"macro \"build\" x2", {0x71, 0x00, 0x02}},
        {"Macro #7 until any key", {0x70, 0x07, 0x03}},
        {"code 0x200106", {0x20, 0x01, 0x06}},
        {"mouse 5", {0x10, 0x10, 0x00}},
        {"Usage 0x87", {0x20, 0x00, 0x87}},
    };
    for (const Case& c : cases) {
        const ParsedAssignment parsed = parseAssignment(c.text, kMacros);
        ASSERT_TRUE(parsed.code.has_value()) << c.text << ": " << parsed.error;
        EXPECT_EQ(*parsed.code, c.code) << c.text;
    }
    EXPECT_TRUE(parseAssignment("default").factoryDefault);
}

TEST(AssignmentText, RefusesWhatIsNoAssignment) {
    const std::string_view texts[] = {
        "",
        "Ctrl+",
        "Ctrl+Nothing",
        "Hyper+A",
        "Swing up ×3",
        "Swing left",
        "Wheel down ×200",
        "Wheel down ×3 delay 16",
        "Wheel down ×3 pace 1",
        "Rapid fire ×5",
        "Macro \"Gone\"",
        "Macro \"Build",
        "Macro #256",
        "Macro Build",
        "Macro \"Build\" twice",
        "Gun 0",
        "Gun x",
        "Code 0x1000000",
        "Code 12ab",
    };
    for (const std::string_view text : texts) {
        const ParsedAssignment parsed = parseAssignment(text, kMacros);
        EXPECT_FALSE(parsed.code.has_value()) << text;
        EXPECT_FALSE(parsed.factoryDefault) << text;
        EXPECT_FALSE(parsed.error.empty()) << text;
    }
}

} // namespace
} // namespace morva::keyassign
