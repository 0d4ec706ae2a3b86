#pragma once

#include "profiles/profile_records.h"

#include <cstddef>
#include <vector>

namespace morva::keyassign {

// Keys given a macro at or past the end of a list of `macroCount` macros get their factory
// function back, so no key stays bound to a macro that is gone. True when one changed.
bool resetKeysOfLostMacros(std::vector<profiles::KeyAssignmentRecord>& keys, size_t macroCount);

// Whether a key is given macro `number`.
bool keysUseMacro(const std::vector<profiles::KeyAssignmentRecord>& keys, int number);

// Macro `number` left its list: keys given it get their factory function back, and keys given a
// later macro follow it to its new number, one lower. True when one changed.
bool repairKeysForRemovedMacro(std::vector<profiles::KeyAssignmentRecord>& keys, int number);

} // namespace morva::keyassign
