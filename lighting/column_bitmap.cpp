#include "lighting/column_bitmap.h"

#include "lighting/keyboard_grids.h"
#include "lighting/keyboard_keys.h"

namespace morva::lighting {
namespace {

// Column `column` of a plane; nothing beyond the grid's sides.
uint8_t at(const ColumnPlane& plane, int column) {
    return column >= 0 && column < static_cast<int>(kGridColumns)
               ? plane[static_cast<size_t>(column)]
               : 0;
}

uint8_t rowBit(uint8_t row) {
    return static_cast<uint8_t>(1u << row);
}

} // namespace

uint8_t columnBits(const ColumnPlanes& planes, size_t column) {
    uint8_t bits = 0;
    for (const ColumnPlane& plane : planes) {
        bits |= plane[column];
    }
    return bits;
}

void setBitInAllPlanes(ColumnPlanes& planes, size_t column, uint8_t row) {
    for (ColumnPlane& plane : planes) {
        plane[column] |= rowBit(row);
    }
}

bool setKeyBit(ColumnPlanes& planes, uint8_t position) {
    const std::optional<KeyCell> cell = cellOfKey(position);
    if (cell) {
        setBitInAllPlanes(planes, cell->column, cell->row);
    }
    return cell.has_value();
}

bool keyBitSet(const ColumnPlanes& planes, uint8_t position) {
    const std::optional<KeyCell> cell = cellOfKey(position);
    return cell && (columnBits(planes, cell->column) & rowBit(cell->row)) != 0;
}

void reseedWhenOnly(ColumnPlanes& planes, size_t column, uint8_t row) {
    if (columnBits(planes, column) == rowBit(row)) {
        setBitInAllPlanes(planes, column, row);
    }
}

ColumnPlanes spread(const ColumnPlanes& planes) {
    ColumnPlanes next{};
    for (int c = 0; c < static_cast<int>(kGridColumns); ++c) {
        const auto column = static_cast<size_t>(c);
        next[0][column] = static_cast<uint8_t>(planes[0][column] >> 1 | at(planes[0], c + 1));
        next[1][column] = static_cast<uint8_t>(planes[1][column] >> 1 | at(planes[1], c - 1));
        next[2][column] = static_cast<uint8_t>(planes[2][column] << 1 | at(planes[2], c - 1));
        next[3][column] = static_cast<uint8_t>(planes[3][column] << 1 | at(planes[3], c + 1));
    }
    return next;
}

ColumnPlanes runAlongRows(const ColumnPlanes& planes) {
    ColumnPlanes next{};
    for (int c = 0; c < static_cast<int>(kGridColumns); ++c) {
        const auto column = static_cast<size_t>(c);
        next[1][column] = at(planes[1], c - 1);
        next[3][column] = at(planes[3], c + 1);
    }
    return next;
}

void lightSetBits(EffectState& state, bool multicolour) {
    for (size_t column = 0; column < kGridColumns; ++column) {
        const uint8_t bits = columnBits(state.keyboard.planes, column);
        for (uint8_t row = 0; row < kGridRows; ++row) {
            const uint8_t position = keyboardGrid()[column][row];
            if ((bits & rowBit(row)) != 0 && position != kNoKey) {
                lightKey(state, position, multicolour);
            }
        }
    }
}

} // namespace morva::lighting
