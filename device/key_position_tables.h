#pragma once

#include "profiles/assignment_code.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The factory assignment codes of the on-screen key and button positions: what the keyboard and
// the mouse hold at each position when they leave the factory. The keyboard's page maps its
// positions to device keys by looking these codes up in the device's key table; the emulated
// devices start with them.
namespace morva::device {

inline constexpr size_t kKeyPositionCount = 126;
inline constexpr size_t kMouseButtonCount = 10;

const std::array<profiles::AssignmentCode, kKeyPositionCount>& KeyPositionTable();
const std::array<profiles::AssignmentCode, kMouseButtonCount>& MouseButtonTable();

} // namespace morva::device
