#include "lighting/keyboard_grids.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace morva::lighting {
namespace {

template <size_t Keys> void append(std::array<uint8_t, Keys>& row, uint8_t position) {
    const auto free = std::find(row.begin(), row.end(), kNoKey);
    if (free != row.end()) {
        *free = position;
    }
}

template <size_t Rows, size_t Keys> KeyTable<Rows, Keys> emptyTable() {
    KeyTable<Rows, Keys> table;
    for (auto& row : table) {
        row.fill(kNoKey);
    }
    return table;
}

// The cells that hold a key, row by row from the top, each row from the left.
std::vector<KeyCell> keyCells() {
    std::vector<KeyCell> cells;
    for (uint8_t row = 0; row < kGridRows; ++row) {
        for (uint8_t column = 0; column < kGridColumns; ++column) {
            if (keyboardGrid()[column][row] != kNoKey) {
                cells.push_back({column, row});
            }
        }
    }
    return cells;
}

uint8_t keyOf(KeyCell cell) {
    return keyboardGrid()[cell.column][cell.row];
}

size_t diagonalOf(KeyCell cell) {
    const int diagonal = int{cell.column} + int{cell.row} - 2;
    return static_cast<size_t>(std::clamp(diagonal, 0, static_cast<int>(kDiagonals) - 1));
}

// Squared distance from the middle of the grid (column 11, between rows 2 and 3), in half cells
// so that it stays whole.
int distanceFromMiddle(KeyCell cell) {
    const int dx = 2 * int{cell.column} - 22;
    const int dy = 2 * int{cell.row} - 5;
    return dx * dx + dy * dy;
}

// 23 distinct moments of 0–25, shuffled: no two columns drop together, so no row of the falling
// table holds more than 6 keys.
std::array<uint8_t, kGridColumns> dropMoments() {
    std::array<uint8_t, 26> moments{};
    std::iota(moments.begin(), moments.end(), uint8_t{0});
    KeyRandom random;
    for (size_t i = moments.size() - 1; i > 0; --i) {
        std::swap(moments[i], moments[random.below(i + 1)]);
    }
    std::array<uint8_t, kGridColumns> chosen{};
    std::copy_n(moments.begin(), chosen.size(), chosen.begin());
    return chosen;
}

} // namespace

std::optional<KeyCell> cellOfKey(uint8_t position) {
    static const auto cells = [] {
        std::array<std::optional<KeyCell>, kKeyPositions> table{};
        for (const KeyCell cell : keyCells()) {
            table[keyOf(cell)] = cell;
        }
        return table;
    }();
    return position < cells.size() ? cells[position] : std::nullopt;
}

uint8_t keyAt(int column, int row) {
    if (column < 0 || row < 0 || column >= static_cast<int>(kGridColumns) ||
        row >= static_cast<int>(kGridRows)) {
        return kNoKey;
    }
    return keyboardGrid()[static_cast<size_t>(column)][static_cast<size_t>(row)];
}

const KeyTable<kDiagonals, kDiagonalKeys>& diagonalGrid() {
    static const auto table = [] {
        auto diagonals = emptyTable<kDiagonals, kDiagonalKeys>();
        for (const KeyCell cell : keyCells()) {
            append(diagonals[diagonalOf(cell)], keyOf(cell));
        }
        return diagonals;
    }();
    return table;
}

const KeyTable<kRings, kRingKeys>& radialGrid() {
    static const auto table = [] {
        std::vector<KeyCell> cells = keyCells();
        std::stable_sort(cells.begin(), cells.end(), [](KeyCell a, KeyCell b) {
            return distanceFromMiddle(a) < distanceFromMiddle(b);
        });
        auto rings = emptyTable<kRings, kRingKeys>();
        for (size_t rank = 0; rank < cells.size(); ++rank) {
            append(rings[rank * kRings / cells.size()], keyOf(cells[rank]));
        }
        return rings;
    }();
    return table;
}

const std::array<uint8_t, kKeyPositions>& ringOfKey() {
    static const auto table = [] {
        std::array<uint8_t, kKeyPositions> rings{};
        rings.fill(kNoRing);
        for (uint8_t ring = 0; ring < kRings; ++ring) {
            for (const uint8_t position : radialGrid()[ring]) {
                if (position != kNoKey) {
                    rings[position] = ring;
                }
            }
        }
        return rings;
    }();
    return table;
}

const KeyTable<kFallingRows, kFallingKeys>& fallingTable() {
    static const auto table = [] {
        constexpr size_t kDropEvery = kFallingRows / 2;
        const auto moments = dropMoments();
        auto rows = emptyTable<kFallingRows, kFallingKeys>();
        for (size_t at = 0; at < kFallingRows; ++at) {
            for (size_t column = 0; column < kGridColumns; ++column) {
                const size_t row = (at + kDropEvery - moments[column]) % kDropEvery;
                if (row < kGridRows && keyboardGrid()[column][row] != kNoKey) {
                    append(rows[at], keyboardGrid()[column][row]);
                }
            }
        }
        return rows;
    }();
    return table;
}

} // namespace morva::lighting
