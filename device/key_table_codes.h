#pragma once

#include "profiles/assignment_code.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

// A device's key table: 3 bytes per device key, the code that key holds (kind, first, second).
namespace morva::device {

// The first device key, below `limit`, that holds the code.
std::optional<size_t> firstKeyWithCode(std::span<const uint8_t> keyTable,
                                       const profiles::AssignmentCode& code, size_t limit);
// Puts the code into the device key's entry; a key past the table is left alone.
void putKeyCode(std::vector<uint8_t>& keyTable, size_t key, const profiles::AssignmentCode& code);

} // namespace morva::device
