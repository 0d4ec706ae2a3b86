#include "keyassign/assignment_lists.h"
#include "keyassign/key_catalogue.h"

#include <gtest/gtest.h>
#include <set>

namespace morva::keyassign {
namespace {

using profiles::AssignmentCode;

TEST(KeyCatalogue, RowsKeepTheirPlaces) {
    ASSERT_EQ(keyCatalogue().size(), 141u);
    struct Row {
        size_t index;
        std::string_view captionKey;
        uint16_t virtualKey;
        AssignmentCode code;
    };
    const Row rows[] = {
        {0, "keyboard_key_LCtrl", 0xA2, {0x20, 0x01, 0x00}},
        {7, "keyboard_key_RWin", 0x5C, {0x20, 0x80, 0x00}},
        {8, "keyboard_key_A", 'A', {0x20, 0x00, 0x04}},
        {33, "keyboard_key_Z", 'Z', {0x20, 0x00, 0x1D}},
        {43, "keyboard_key_0", '0', {0x20, 0x00, 0x27}},
        {53, "keyboard_key_xiegang", 0xDC, {0x20, 0x00, 0x31}},
        {72, "keyboard_key_F12", 0x7B, {0x20, 0x00, 0x45}},
        {91, "keyboard_key_Num Enter", 0x101, {0x20, 0x00, 0x58}},
        {101, "keyboard_key_Num 0", 0x60, {0x20, 0x00, 0x62}},
        {112, "keyboard_key_K151", 0xFF, {0x20, 0x00, 0x90}},
        {113, "keyboard_key_Launch App2", 0xB7, {0x30, 0x92, 0x01}},
        {129, "wed_stop", 0xA9, {0x30, 0x26, 0x02}},
        {133, "keyboard_key_Wakeup", 0x105, {0x40, 0x04, 0x00}},
        {138, "keyboard_key_M5", 0, {0xD0, 0xA2, 0x05}},
        {140, "keyboard_key_GM", 0, {0xA0, 0x1B, 0x00}},
    };
    for (const Row& row : rows) {
        const KeyCatalogueEntry& entry = keyCatalogue()[row.index];
        EXPECT_EQ(entry.captionKey, row.captionKey) << row.index;
        EXPECT_EQ(entry.virtualKey, row.virtualKey) << row.index;
        EXPECT_EQ(entry.code, row.code) << row.index;
    }
}

TEST(KeyCatalogue, NamesAndKeyUsagesAreUnique) {
    std::set<std::string> names;
    std::set<uint8_t> usages;
    for (const KeyCatalogueEntry& entry : keyCatalogue()) {
        std::string lower(entry.name);
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        EXPECT_TRUE(names.insert(lower).second) << entry.name;
        if (entry.code.kind == 0x20 && entry.code.first == 0) {
            EXPECT_TRUE(usages.insert(entry.code.second).second) << entry.name;
        }
    }
}

TEST(KeyCatalogue, Lookups) {
    EXPECT_EQ(findKeyByUsage(0x04), 8u);
    EXPECT_EQ(findKeyByUsage(0x58, 8), 91u);
    EXPECT_EQ(findKeyByUsage(0x99), std::nullopt);
    EXPECT_EQ(findModifierByBit(0x10), 4u);
    EXPECT_EQ(findModifierByBit(0x03), std::nullopt);
    EXPECT_EQ(findKeyByName("num enter"), 91u);
    EXPECT_EQ(findKeyByName("nothing"), std::nullopt);
}

TEST(AssignmentLists, ChoicesAreFoundByCodeAndName) {
    EXPECT_EQ(mouseButtonList().size(), 5u);
    EXPECT_EQ(mediaKeyList().size(), 18u);
    EXPECT_EQ(shortcutList().size(), 11u);
    EXPECT_EQ(findChoice(mouseButtonList(), {0x10, 0x02, 0x00}), 2u);
    EXPECT_EQ(findChoice(mediaKeyList(), AssignmentCode::mediaKey(0x022A)), 13u);
    EXPECT_EQ(findChoice(shortcutList(), {0x20, 0x01, 0x2E}), 10u);
    EXPECT_EQ(findChoice(systemKeyList(), {0x40, 0x08, 0x00}), std::nullopt);
    EXPECT_EQ(findChoiceByName(dpiFunctionList(), "dpi cycle"), 2u);
}

} // namespace
} // namespace morva::keyassign
