#pragma once

#include "lighting/keyboard_grids.h"

#include <array>
#include <cstddef>
#include <cstdint>

// Orders in which the keyboard's effects visit its keys, made from the keyboard grid.
namespace morva::lighting {

inline constexpr size_t kKeyOrderLength = 126;
inline constexpr size_t kRandomOrderLength = 104;
inline constexpr size_t kDemoSweepRows = 20;
inline constexpr size_t kDemoSweepKeys = 6;
inline constexpr size_t kDemoPairs = 16;

// Every key of the grid once, then kNoKey to the end.
using KeyOrder = std::array<uint8_t, kKeyOrderLength>;

// Diagonal by diagonal from the left, each from the top row down.
const KeyOrder& sweepOrder();
// The sweep's keys the other way round: from the right, each diagonal from the bottom row up.
const KeyOrder& reverseSweepOrder();
// Row by row from the top, left to right and then back, as a snake winds.
const KeyOrder& snakeOrder();
// The keys numbered below 120 (all but the extra keys at the edges), shuffled.
const std::array<uint8_t, kRandomOrderLength>& randomOrder();
// The demonstration's first stage: row s holds the keys of grid column s + 1, a sweep from the
// left.
const KeyTable<kDemoSweepRows, kDemoSweepKeys>& demoSweepTable();
// The demonstration's second stage: two lights running opposite ways, along the second row
// from the left and along the fourth from the right.
const KeyTable<kDemoPairs, 2>& demoPairTable();

} // namespace morva::lighting
