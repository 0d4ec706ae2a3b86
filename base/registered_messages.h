#pragma once

#include <cstdint>
#include <string_view>

namespace morva {

// The number of a message known by name, as the windows of the program agree on it: the same
// name always gives the same number, a number of its own above the fixed messages (from 0xC000
// on). Thread-safe.
uint32_t registerWindowMessage(std::string_view name);

inline constexpr uint32_t kFirstRegisteredMessage = 0xC000;

} // namespace morva
