#include "keyassign/key_list_repair.h"

#include <gtest/gtest.h>

namespace morva::keyassign {
namespace {

using profiles::AssignmentCode;

profiles::KeyAssignmentRecord key(AssignmentCode current, AssignmentCode factory) {
    profiles::KeyAssignmentRecord record;
    record.assignment.code = current;
    record.defaultAssignment.code = factory;
    return record;
}

TEST(KeyListRepair, KeysOfMacrosPastTheListGetTheirFactoryFunction) {
    const AssignmentCode factory{0x20, 0x00, 0x04};
    std::vector<profiles::KeyAssignmentRecord> keys = {
        key(AssignmentCode::macro(3, 0), factory),         // the last of four macros: kept
        key(AssignmentCode::macro(4, 1), factory),         // one past the list: reset
        key(AssignmentCode::macroRepeated(9, 3), factory), // reset
        key(AssignmentCode::gun(7), factory),              // not a macro: kept
    };
    EXPECT_TRUE(resetKeysOfLostMacros(keys, 4));
    EXPECT_EQ(keys[0].assignment.code, AssignmentCode::macro(3, 0));
    EXPECT_EQ(keys[1].assignment.code, factory);
    EXPECT_EQ(keys[2].assignment.code, factory);
    EXPECT_EQ(keys[3].assignment.code, AssignmentCode::gun(7));
    EXPECT_FALSE(resetKeysOfLostMacros(keys, 4)) << "nothing left to repair";
}

TEST(KeyListRepair, DeletingTheSecondOfThreeMacrosResetsItsKeysAndMovesTheLaterOnes) {
    const AssignmentCode factory{0x10, 0x01, 0x00};
    std::vector<profiles::KeyAssignmentRecord> keys = {
        key(AssignmentCode::macro(0, 2), factory),         // before it: kept
        key(AssignmentCode::macro(1, 0), factory),         // the deleted macro: factory
        key(AssignmentCode::macroRepeated(2, 5), factory), // after it: now macro 1
        key(AssignmentCode::gun(1), factory),              // a gun pattern 1 is no macro
    };
    EXPECT_TRUE(keysUseMacro(keys, 1));
    EXPECT_FALSE(keysUseMacro(keys, 3));
    EXPECT_TRUE(repairKeysForRemovedMacro(keys, 1));
    EXPECT_EQ(keys[0].assignment.code, AssignmentCode::macro(0, 2));
    EXPECT_EQ(keys[1].assignment.code, factory);
    EXPECT_EQ(keys[2].assignment.code, AssignmentCode::macroRepeated(1, 5));
    EXPECT_EQ(keys[3].assignment.code, AssignmentCode::gun(1));
    EXPECT_FALSE(keysUseMacro(keys, 2));
    // Deleting the last macro, which no key uses, changes nothing.
    EXPECT_FALSE(repairKeysForRemovedMacro(keys, 2));
}

} // namespace
} // namespace morva::keyassign
