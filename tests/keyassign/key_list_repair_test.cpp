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

} // namespace
} // namespace morva::keyassign
