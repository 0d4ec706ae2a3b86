#pragma once

#include "lighting/keyboard_effect_state.h"
#include "lighting/lighting_tables.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

// The keyboard's grids beside the keyboard grid, all made from it so that they follow the keys on
// screen: where each key stands, the diagonals, the rings around the centre and the rows of the
// falling keys.
namespace morva::lighting {

inline constexpr size_t kDiagonals = 23;
inline constexpr size_t kDiagonalKeys = 7;
inline constexpr size_t kRings = 12;
inline constexpr size_t kRingKeys = 12;
inline constexpr size_t kFallingRows = 52;
inline constexpr size_t kFallingKeys = 12;
// The ring of a position the grid lacks.
inline constexpr uint8_t kNoRing = 255;

// Rows of key positions, each padded at its end with kNoKey.
template <size_t Rows, size_t Keys> using KeyTable = std::array<std::array<uint8_t, Keys>, Rows>;

struct KeyCell {
    uint8_t column = 0;
    uint8_t row = 0;

    bool operator==(const KeyCell&) const = default;
};

// Where a key position stands in the keyboard grid; nothing for a position the grid lacks.
std::optional<KeyCell> cellOfKey(uint8_t position);
// The key at a cell; kNoKey for an empty cell and for any cell outside the grid.
uint8_t keyAt(int column, int row);

// Cell (c, r) lies on diagonal c + r − 2, the corners joining the first and the last diagonal;
// each diagonal lists its keys from the top row down.
const KeyTable<kDiagonals, kDiagonalKeys>& diagonalGrid();
// The keys by their distance from the middle of the grid, nearest first, dealt into 12 rings of
// (nearly) equal size.
const KeyTable<kRings, kRingKeys>& radialGrid();
// The radial grid read by key: the ring of each position, kNoRing for none.
const std::array<uint8_t, kKeyPositions>& ringOfKey();
// Drops running down the columns: each column starts a drop every 26 rows, the columns at
// shuffled moments; row f lists the keys the drops stand on.
const KeyTable<kFallingRows, kFallingKeys>& fallingTable();

} // namespace morva::lighting
