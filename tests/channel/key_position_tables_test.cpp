#include "device/key_position_tables.h"
#include "emulator/firmware/factory_tables.h"

#include <gtest/gtest.h>
#include <vector>

namespace morva {
namespace {

struct PositionCode {
    size_t position;
    profiles::AssignmentCode code;
};

// Both ends of every counted run, the repeated codes and the odd kinds.
TEST(KeyPositionTable, HoldsTheFactoryCodeOfEachPosition) {
    const PositionCode expected[] = {
        {0, {0x20, 0x00, 0x29}},   {1, {0x20, 0x00, 0x3A}},   {15, {0x20, 0x00, 0x48}},
        {16, {0xA0, 0x1B, 0x00}},  {17, {0xA0, 0x24, 0x00}},  {19, {0x20, 0x00, 0x00}},
        {31, {0x20, 0x00, 0x27}},  {41, {0x20, 0x00, 0x56}},  {52, {0x20, 0x00, 0x13}},
        {61, {0x20, 0x00, 0x61}},  {82, {0x20, 0x00, 0x91}},  {84, {0x20, 0x02, 0x00}},
        {94, {0x20, 0x00, 0x38}},  {95, {0x20, 0x20, 0x00}},  {110, {0xA0, 0x01, 0x00}},
        {117, {0x20, 0x00, 0x63}}, {120, {0xD0, 0xA2, 0x01}}, {124, {0xD0, 0xA2, 0x05}},
        {125, {0x20, 0x80, 0x00}},
    };
    for (const auto& [position, code] : expected) {
        EXPECT_EQ(device::KeyPositionTable()[position], code) << "position " << position;
    }
    EXPECT_EQ(device::MouseButtonTable()[0], (profiles::AssignmentCode{0x10, 0x01, 0x00}));
    EXPECT_EQ(device::MouseButtonTable()[9], (profiles::AssignmentCode{0x16, 0x90, 0x01}));
}

// A fresh emulated keyboard holds position k's code at device key k, so the page's lookup maps
// every position to the key of the same number.
TEST(KeyPositionTable, IsWhatTheEmulatedKeyboardLeavesTheFactoryWith) {
    std::vector<uint8_t> keyTable(device::kKeyPositionCount * 3 + 6, 0xEE);
    emulator::loadKeyboardFactoryKeys(keyTable);
    for (size_t k = 0; k < device::kKeyPositionCount; ++k) {
        const profiles::AssignmentCode stored = {keyTable[k * 3], keyTable[k * 3 + 1],
                                                 keyTable[k * 3 + 2]};
        EXPECT_EQ(stored, device::KeyPositionTable()[k]) << "key " << k;
    }
    EXPECT_EQ(keyTable[device::kKeyPositionCount * 3], 0xEE)
        << "keys beyond the table stay as they were";
}

} // namespace
} // namespace morva
