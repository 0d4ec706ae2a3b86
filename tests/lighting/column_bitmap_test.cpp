#include "lighting/column_bitmap.h"

#include <gtest/gtest.h>
#include <vector>

namespace morva::lighting {
namespace {

struct ColumnByte {
    size_t column;
    uint8_t bits;
};

ColumnPlanes planesWith(size_t plane, std::vector<ColumnByte> columns) {
    ColumnPlanes planes{};
    for (const ColumnByte& entry : columns) {
        planes[plane][entry.column] = entry.bits;
    }
    return planes;
}

struct Move {
    const char* what;
    size_t plane;
    std::vector<ColumnByte> before;
    std::vector<ColumnByte> after;
};

TEST(ColumnBitmap, SpreadCopiesBitsOutwardAndMovesThoseThatStayUpOrDown) {
    const Move moves[] = {
        {"plane 0: left, up", 0, {{5, 0b0000'0110}}, {{4, 0b0000'0110}, {5, 0b0000'0011}}},
        {"plane 1: right, up", 1, {{5, 0b0000'0110}}, {{5, 0b0000'0011}, {6, 0b0000'0110}}},
        {"plane 2: right, down", 2, {{5, 0b0000'0110}}, {{5, 0b0000'1100}, {6, 0b0000'0110}}},
        {"plane 3: left, down", 3, {{5, 0b0000'0110}}, {{4, 0b0000'0110}, {5, 0b0000'1100}}},
        {"neighbours merge",
         0,
         {{5, 0b0001'0000}, {6, 0b0000'0001}},
         {{4, 0b0001'0000}, {5, 0b0000'1001}}},
        {"nothing beyond column 0", 0, {{0, 0b0001'0000}}, {{0, 0b0000'1000}}},
        {"nothing beyond column 22", 1, {{22, 0b0001'0000}}, {{22, 0b0000'1000}}},
        {"the top row goes up and out", 1, {{3, 0b0000'0001}}, {{4, 0b0000'0001}}},
        {"bit 7 goes down and out", 2, {{3, 0b1000'0000}}, {{4, 0b1000'0000}}},
    };
    for (const Move& move : moves) {
        EXPECT_EQ(spread(planesWith(move.plane, move.before)), planesWith(move.plane, move.after))
            << move.what;
    }
}

TEST(ColumnBitmap, RunningAlongTheRowsMovesPlanes1And3SidewaysAndClearsTheOthers) {
    const Move moves[] = {
        {"plane 1: right", 1, {{5, 0b0010'0100}}, {{6, 0b0010'0100}}},
        {"plane 3: left", 3, {{5, 0b0010'0100}}, {{4, 0b0010'0100}}},
        {"plane 1 runs out at column 22", 1, {{22, 0b0000'0001}}, {}},
        {"plane 3 runs out at column 0", 3, {{0, 0b0000'0001}}, {}},
        {"plane 0 cleared", 0, {{5, 0b0000'0001}}, {}},
        {"plane 2 cleared", 2, {{5, 0b0000'0001}}, {}},
    };
    for (const Move& move : moves) {
        EXPECT_EQ(runAlongRows(planesWith(move.plane, move.before)),
                  planesWith(move.plane, move.after))
            << move.what;
    }
}

TEST(ColumnBitmap, AKeysBitIsItsRowInItsColumnInEveryPlane) {
    ColumnPlanes planes{};
    EXPECT_TRUE(setKeyBit(planes, 52)); // column 11, row 2
    for (const ColumnPlane& plane : planes) {
        EXPECT_EQ(plane[11], 0b0000'0100);
    }
    EXPECT_TRUE(keyBitSet(planes, 52));
    EXPECT_FALSE(keyBitSet(planes, 31)) << "the key above, same column";

    const ColumnPlanes before = planes;
    EXPECT_FALSE(setKeyBit(planes, 16)) << "a position the grid lacks";
    EXPECT_EQ(planes, before);
}

TEST(ColumnBitmap, AColumnIsSeededAgainOnlyWhenItHoldsThatRowAlone) {
    ColumnPlanes alone = planesWith(2, {{9, 0b0100'0000}});
    reseedWhenOnly(alone, 9, 6);
    for (const ColumnPlane& plane : alone) {
        EXPECT_EQ(plane[9], 0b0100'0000);
    }
    EXPECT_EQ(columnBits(alone, 9), 0b0100'0000);

    const ColumnPlanes busy = planesWith(2, {{9, 0b0100'0001}});
    ColumnPlanes after = busy;
    reseedWhenOnly(after, 9, 6);
    EXPECT_EQ(after, busy);
}

TEST(ColumnBitmap, SetBitsLightTheirKeysAndInMulticolourGiveThemNewColours) {
    for (const bool multicolour : {false, true}) {
        EffectState state;
        state.colourIndices.fill(200);
        // Column 11: rows 2 and 6 (no key below the bottom); column 0, row 0: no key there.
        state.keyboard.planes = planesWith(2, {{11, 0b0100'0100}});
        state.keyboard.planes[1][0] = 0b0000'0001;
        lightSetBits(state, multicolour);
        for (size_t position = 0; position < kKeyPositions; ++position) {
            EXPECT_EQ(state.values[position], position == 52 ? 255 : 0) << position;
        }
        if (multicolour) {
            EXPECT_LT(state.colourIndices[52], 192);
        } else {
            EXPECT_EQ(state.colourIndices[52], 200);
        }
        EXPECT_EQ(state.colourIndices[51], 200);
    }
}

} // namespace
} // namespace morva::lighting
