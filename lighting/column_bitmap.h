#pragma once

#include "lighting/effect_state.h"

#include <cstddef>
#include <cstdint>

// The keyboard's column bitmap: four planes of one byte per grid column, bit j for row j. Keys
// whose bit is set light up; spreading or running moves the bits over the keyboard.
namespace morva::lighting {

// The bits of a column in any plane.
uint8_t columnBits(const ColumnPlanes& planes, size_t column);
void setBitInAllPlanes(ColumnPlanes& planes, size_t column, uint8_t row);
// Sets the bit of a key's cell in all four planes; false for a key the grid lacks.
bool setKeyBit(ColumnPlanes& planes, uint8_t position);
// Whether a key's bit is set in any plane.
bool keyBitSet(const ColumnPlanes& planes, uint8_t position);
// When the planes together hold only `row`'s bit in the column, sets it in all four: a wave that
// has run out at one end starts back from there.
void reseedWhenOnly(ColumnPlanes& planes, size_t column, uint8_t row);

// One column outward per call, planes 0 and 3 towards column 0, planes 1 and 2 towards column
// 22; the bits that stay move one row up (planes 0, 1) or down (planes 2, 3).
ColumnPlanes spread(const ColumnPlanes& planes);
// Planes 0 and 2 cleared; plane 3 one column towards column 0, plane 1 one towards column 22,
// on the same rows.
ColumnPlanes runAlongRows(const ColumnPlanes& planes);

// Gives the value 255 to every key whose bit is set, and in multicolour a random colour.
void lightSetBits(EffectState& state, bool multicolour);

} // namespace morva::lighting
