#include "keyassign/key_list_repair.h"

#include <algorithm>

namespace morva::keyassign {

bool resetKeysOfLostMacros(std::vector<profiles::KeyAssignmentRecord>& keys, size_t macroCount) {
    bool changed = false;
    for (profiles::KeyAssignmentRecord& key : keys) {
        if (key.assignment.code.isMacro() && key.assignment.code.first >= macroCount) {
            key.assignment = key.defaultAssignment;
            changed = true;
        }
    }
    return changed;
}

bool keysUseMacro(const std::vector<profiles::KeyAssignmentRecord>& keys, int number) {
    return std::any_of(
        keys.begin(), keys.end(), [number](const profiles::KeyAssignmentRecord& key) {
            return key.assignment.code.isMacro() && key.assignment.code.first == number;
        });
}

bool repairKeysForRemovedMacro(std::vector<profiles::KeyAssignmentRecord>& keys, int number) {
    bool changed = false;
    for (profiles::KeyAssignmentRecord& key : keys) {
        profiles::AssignmentCode& code = key.assignment.code;
        if (!code.isMacro() || code.first < number) {
            continue;
        }
        if (code.first == number) {
            key.assignment = key.defaultAssignment;
        } else {
            --code.first;
        }
        changed = true;
    }
    return changed;
}

} // namespace morva::keyassign
