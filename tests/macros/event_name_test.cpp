#include "keyassign/key_catalogue.h"
#include "macros/event_name.h"
#include "macros/event_packing.h"
#include "macros/mouse_event_table.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace morva {
namespace {

struct NameCase {
    macros::MacroEvent event;
    std::string key;
    std::optional<int> distance;
};

TEST(EventName, NamesEachTypeByTheCatalogueOrTheMouseEventTable) {
    const NameCase cases[] = {
        // keyboard keys by HID usage, from entry 8 on
        {{10, 0x04, "down", "0"}, "keyboard_key_A", std::nullopt},
        {{10, 0x04, "up", "0"}, "keyboard_key_A", std::nullopt},
        {{10, 0x1E, "down", "0"}, "keyboard_key_1", std::nullopt},
        {{10, 0x28, "Down", "0"}, "keyboard_key_Enter", std::nullopt},
        // modifiers by their bit, entries 0..7 only
        {{9, 0x01, "down", "0"}, "keyboard_key_LCtrl", std::nullopt},
        {{9, 0x10, "down", "0"}, "keyboard_key_RCtrl", std::nullopt},
        {{9, 0x80, "up", "0"}, "keyboard_key_RWin", std::nullopt},
        {{9, 0x03, "down", "0"}, "", std::nullopt}, // two bits: no single modifier
        {{9, 0x00, "down", "0"}, "", std::nullopt},
        {{9, 0x04, "down", "0"}, "keyboard_key_LAlt", std::nullopt},
        {{10, 0x01, "down", "0"}, "", std::nullopt}, // usage 1 is the modifier's bit, not a key
        // mouse buttons by their bit, the press row's name either way
        {{1, 0x01, "down", "0"}, "mouse_key_left", std::nullopt},
        {{1, 0x02, "up", "0"}, "mouse_key_right", std::nullopt},
        {{1, 0x04, "down", "0"}, "mouse_key_middle", std::nullopt},
        {{1, 0x08, "down", "0"}, "mouse_key_back", std::nullopt},
        {{1, 0x10, "down", "0"}, "mouse_key_forward", std::nullopt},
        {{1, 0x20, "down", "0"}, "", std::nullopt},
        {{1, 0x101, "down", "0"}, "", std::nullopt}, // only a whole byte names a button
        // movements by direction, with the distance
        {{4, 25, "down", "0"}, "mouse_move_to_left_text", 25},
        {{4, 7, "up", "0"}, "mouse_move_to_right_text", 7},
        {{4, 7, "Down", "0"}, "mouse_move_to_right_text", 7},
        {{5, 255, "down", "0"}, "mouse_move_to_up_text", 255},
        {{5, 0, "up", "0"}, "mouse_move_to_down_text", 0},
        // nameless
        {{2, 1, "down", "0"}, "", std::nullopt},
        {{3, 1, "up", "0"}, "", std::nullopt},
        {{0, 4, "down", "0"}, "", std::nullopt},
        {{11, 4, "down", "0"}, "", std::nullopt},
    };
    for (const NameCase& c : cases) {
        const macros::EventName name = macros::eventName(c.event);
        EXPECT_EQ(name.key, c.key)
            << c.event.type << " " << c.event.button << " " << c.event.action;
        EXPECT_EQ(name.empty(), c.key.empty());
        EXPECT_EQ(name.distance, c.distance) << c.event.type << " " << c.event.button;
    }
}

TEST(EventName, AnUnknownKeyboardKeyKeepsItsEventWithoutAName) {
    const macros::MacroEvent event{10, 0xE8, "down", "12"};
    ASSERT_FALSE(keyassign::findKeyByUsage(0xE8, keyassign::kFirstNonModifierEntry));
    const macros::MacroEvent before = event;
    EXPECT_TRUE(macros::eventName(event).empty());
    EXPECT_EQ(event, before);
    EXPECT_EQ(macros::packMacroEvent(event), (macros::PackedMacroEvent{12, 0, 0x8A, 0xE8}));
}

TEST(EventName, EveryKeyOfTheCatalogueNamesItsOwnEvent) {
    const auto catalogue = keyassign::keyCatalogue();
    for (size_t i = 0; i < catalogue.size(); ++i) {
        const profiles::AssignmentCode code = catalogue[i].code;
        if (code.kind != 0x20) {
            continue;
        }
        const bool modifier = i < keyassign::kFirstNonModifierEntry;
        const macros::MacroEvent event{modifier ? 9 : 10, modifier ? code.first : code.second,
                                       "down", "0"};
        const std::optional<size_t> entry = macros::catalogueEntryOf(event);
        ASSERT_TRUE(entry) << catalogue[i].captionKey;
        // A usage listed twice names the first entry that has it.
        EXPECT_EQ(catalogue[*entry].code, code) << catalogue[i].captionKey;
    }
}

TEST(MouseEventTable, RowsAgreeWithTheEventsTheyName) {
    const auto rows = macros::mouseEventTable();
    ASSERT_EQ(rows.size(), 14u);
    for (size_t i = 0; i < rows.size(); ++i) {
        const macros::MouseEventRow& row = rows[i];
        const bool press = (row.packedType & macros::kPackedPressBit) != 0;
        EXPECT_EQ(press, i % 2 == 0) << "presses and releases alternate, row " << i;
        const int type = row.packedType & 0x7F;
        if (i < macros::kFirstMovementRow) {
            EXPECT_EQ(type, macros::kTypeMouseButton) << i;
            EXPECT_NE(row.windowsMessage, 0) << i;
            EXPECT_EQ(row.nameKey, rows[i & ~size_t{1}].nameKey) << "a pair shares a name, " << i;
        } else {
            EXPECT_TRUE(type == macros::kTypeMoveHorizontal || type == macros::kTypeMoveVertical);
            EXPECT_EQ(row.windowsMessage, 0) << i;
        }
        // Each row's own event is named by the row (by its press row for buttons).
        const macros::MacroEvent event{type, row.buttonBit, press ? "down" : "up", "0"};
        EXPECT_EQ(macros::eventName(event).key, row.nameKey) << i;
    }
    EXPECT_EQ(rows[6].xButton, 2);
    EXPECT_EQ(rows[8].xButton, 1);
    EXPECT_EQ(rows[6].windowsMessage, rows[8].windowsMessage);
}

} // namespace
} // namespace morva
