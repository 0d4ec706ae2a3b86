#pragma once

#include "profiles/profile_records.h"

#include <cstddef>
#include <vector>

namespace morva::keyassign {

// Keys given a macro at or past the end of a list of `macroCount` macros get their factory
// function back, so no key stays bound to a macro that is gone. True when one changed.
bool resetKeysOfLostMacros(std::vector<profiles::KeyAssignmentRecord>& keys, size_t macroCount);

} // namespace morva::keyassign
