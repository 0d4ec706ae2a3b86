#include "keyassign/key_list_repair.h"

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

} // namespace morva::keyassign
