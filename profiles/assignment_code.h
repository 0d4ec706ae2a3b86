#pragma once

#include <cstdint>

namespace morva::profiles {

// What a key or button does: a function kind and two parameters (a macro: kind 0x70 or 0x71 and
// its number; a keyboard key: 0x20, modifiers and usage). Devices hold it as three bytes in this
// order; profiles store it in JSON as kind * 65536 + first * 256 + second.
struct AssignmentCode {
    uint8_t kind = 0;
    uint8_t first = 0;
    uint8_t second = 0;

    bool operator==(const AssignmentCode&) const = default;
};
static_assert(sizeof(AssignmentCode) == 3);

// The JSON form; a stored value keeps only its low 24 bits.
int32_t encodeAssignmentCode(const AssignmentCode& code);
AssignmentCode decodeAssignmentCode(int32_t stored);

} // namespace morva::profiles
