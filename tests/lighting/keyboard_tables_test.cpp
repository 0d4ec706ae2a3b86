#include "lighting/key_orders.h"
#include "lighting/keyboard_grids.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <initializer_list>
#include <map>
#include <span>
#include <vector>

namespace morva::lighting {
namespace {

using Positions = std::initializer_list<uint8_t>;

std::vector<uint8_t> gridKeys() {
    std::vector<uint8_t> keys;
    for (const auto& column : keyboardGrid()) {
        std::copy_if(column.begin(), column.end(), std::back_inserter(keys),
                     [](uint8_t position) { return position != kNoKey; });
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

template <typename Rows> std::vector<uint8_t> keysIn(const Rows& rows) {
    std::vector<uint8_t> keys;
    for (const auto& row : rows) {
        std::copy_if(row.begin(), row.end(), std::back_inserter(keys),
                     [](uint8_t position) { return position != kNoKey; });
    }
    return keys;
}

std::vector<uint8_t> keysIn(const KeyOrder& order) {
    return keysIn(std::array<KeyOrder, 1>{order});
}

std::vector<uint8_t> sorted(std::vector<uint8_t> keys) {
    std::sort(keys.begin(), keys.end());
    return keys;
}

TEST(KeyboardGrids, EveryKeyFindsItsCellAndOnlyGridCellsHoldKeys) {
    EXPECT_EQ(gridKeys().size(), 110u);
    for (const uint8_t position : gridKeys()) {
        const std::optional<KeyCell> cell = cellOfKey(position);
        ASSERT_TRUE(cell) << int{position};
        EXPECT_EQ(keyAt(cell->column, cell->row), position);
    }
    EXPECT_EQ(cellOfKey(0), (KeyCell{2, 0}));
    EXPECT_EQ(cellOfKey(119), (KeyCell{22, 3}));
    for (const uint8_t absent : Positions{16, 62, 104, 126, 255}) {
        EXPECT_FALSE(cellOfKey(absent)) << int{absent};
    }
    EXPECT_EQ(keyAt(-1, 2), kNoKey);
    EXPECT_EQ(keyAt(23, 2), kNoKey);
    EXPECT_EQ(keyAt(11, 6), kNoKey) << "the row below the bottom holds no key";
}

// Every table that covers the keyboard holds each key of the grid exactly once.
TEST(KeyboardGrids, TheDiagonalsRingsAndOrdersCoverEveryKeyOnce) {
    const std::map<const char*, std::vector<uint8_t>> tables = {
        {"diagonals", keysIn(diagonalGrid())}, {"rings", keysIn(radialGrid())},
        {"sweep", keysIn(sweepOrder())},       {"reverse sweep", keysIn(reverseSweepOrder())},
        {"snake", keysIn(snakeOrder())},
    };
    for (const auto& [name, keys] : tables) {
        EXPECT_EQ(sorted(keys), gridKeys()) << name;
    }
}

TEST(KeyboardGrids, DiagonalsRunFromTheTopLeftToTheBottomRight) {
    EXPECT_EQ(diagonalGrid()[0], (std::array<uint8_t, 7>{0, 120, 21, 121, kNoKey, kNoKey, kNoKey}));
    EXPECT_EQ(diagonalGrid()[1], (std::array<uint8_t, 7>{1, 22, 42, 122, kNoKey, kNoKey, kNoKey}));
    EXPECT_EQ(diagonalGrid()[22], (std::array<uint8_t, 7>{78, 119, 98, 99, 118, 116, 117}));
    for (size_t diagonal = 1; diagonal + 1 < kDiagonals; ++diagonal) {
        for (const uint8_t position : diagonalGrid()[diagonal]) {
            if (position != kNoKey) {
                const KeyCell cell = *cellOfKey(position);
                EXPECT_EQ(cell.column + cell.row, diagonal + 2) << int{position};
            }
        }
    }
}

int squaredDistanceFromMiddle(uint8_t position) {
    const KeyCell cell = *cellOfKey(position);
    const int dx = 2 * cell.column - 22;
    const int dy = 2 * cell.row - 5;
    return dx * dx + dy * dy;
}

TEST(KeyboardGrids, RingsGrowOutwardFromTheMiddleInEqualShares) {
    int farthestSoFar = 0;
    for (size_t ring = 0; ring < kRings; ++ring) {
        const std::vector<uint8_t> keys = keysIn(std::span(radialGrid()).subspan(ring, 1));
        EXPECT_TRUE(keys.size() == 9 || keys.size() == 10) << "ring " << ring;
        for (const uint8_t position : keys) {
            EXPECT_GE(squaredDistanceFromMiddle(position), farthestSoFar) << int{position};
            EXPECT_EQ(ringOfKey()[position], ring) << "the translation reads the ring back";
        }
        for (const uint8_t position : keys) {
            farthestSoFar = std::max(farthestSoFar, squaredDistanceFromMiddle(position));
        }
    }
    EXPECT_EQ(ringOfKey()[52], 0) << "beside the middle";
    EXPECT_EQ(ringOfKey()[73], 0);
    EXPECT_EQ(ringOfKey()[124], 11) << "a far corner";
    EXPECT_EQ(ringOfKey()[16], kNoRing);
}

// A drop stands on a key in one row of the table and on the key below it in the next row.
TEST(KeyboardGrids, FallingDropsMoveDownOneRowPerStep) {
    const auto& table = fallingTable();
    std::map<uint8_t, int> appearances;
    for (size_t at = 0; at < kFallingRows; ++at) {
        const auto& now = table[at];
        const auto& next = table[(at + 1) % kFallingRows];
        EXPECT_LE(std::count_if(now.begin(), now.end(), [](uint8_t p) { return p != kNoKey; }), 6);
        for (const uint8_t position : now) {
            if (position == kNoKey) {
                continue;
            }
            ++appearances[position];
            const KeyCell cell = *cellOfKey(position);
            const uint8_t below = keyAt(cell.column, cell.row + 1);
            if (below != kNoKey) {
                EXPECT_NE(std::find(next.begin(), next.end(), below), next.end())
                    << int{position} << " at row " << at;
            }
        }
    }
    EXPECT_EQ(appearances.size(), 110u);
    for (const auto& [position, count] : appearances) {
        EXPECT_EQ(count, 2) << "two drops per column pass key " << int{position};
    }
}

TEST(KeyOrders, TheSweepGoesDiagonalByDiagonalAndTheReverseSweepBack) {
    const std::vector<uint8_t> sweep = keysIn(sweepOrder());
    std::vector<uint8_t> reverse = keysIn(reverseSweepOrder());
    std::reverse(reverse.begin(), reverse.end());
    EXPECT_EQ(reverse, sweep);
    EXPECT_EQ(std::vector<uint8_t>(sweep.begin(), sweep.begin() + 5),
              (std::vector<uint8_t>{0, 120, 21, 121, 1}));
    for (const KeyOrder* order : {&sweepOrder(), &reverseSweepOrder(), &snakeOrder()}) {
        EXPECT_TRUE(std::all_of(order->begin() + 110, order->end(), [](uint8_t position) {
            return position == kNoKey;
        })) << "padded at the end";
    }
}

TEST(KeyOrders, TheSnakeWindsRowByRow) {
    const auto& snake = snakeOrder();
    EXPECT_EQ(snake[0], 0);
    EXPECT_EQ(snake[15], 15) << "the top row ends at its right";
    EXPECT_EQ(snake[16], 41) << "the second row starts at its right";
    EXPECT_EQ(snake[37], 120);
    EXPECT_EQ(snake[38], 121) << "the third row starts at its left";
    for (size_t at = 1; at < 110; ++at) {
        const KeyCell before = *cellOfKey(snake[at - 1]);
        const KeyCell now = *cellOfKey(snake[at]);
        if (now.row == before.row) {
            EXPECT_EQ(now.column > before.column, now.row % 2 == 0) << at;
        } else {
            EXPECT_EQ(now.row, before.row + 1) << at;
        }
    }
}

TEST(KeyOrders, TheRandomOrderShufflesTheKeysBelow120) {
    const auto& order = randomOrder();
    std::vector<uint8_t> keys(order.begin(), order.end());
    std::vector<uint8_t> expected = gridKeys();
    std::erase_if(expected, [](uint8_t position) { return position >= 120; });
    EXPECT_EQ(sorted(keys), expected);
    EXPECT_FALSE(std::is_sorted(keys.begin(), keys.end()));
}

TEST(KeyOrders, TheDemonstrationSweepsTheColumnsThenRunsPairsOverTwoRows) {
    for (size_t step = 0; step < kDemoSweepRows; ++step) {
        EXPECT_EQ(demoSweepTable()[step], keyboardGrid()[step + 1]) << step;
    }
    EXPECT_EQ(demoPairTable()[0], (std::array<uint8_t, 2>{120, 119}));
    EXPECT_EQ(demoPairTable()[1], (std::array<uint8_t, 2>{21, 78}));
    EXPECT_EQ(demoPairTable()[7], (std::array<uint8_t, 2>{27, 72}));
    EXPECT_EQ(demoPairTable()[15], (std::array<uint8_t, 2>{35, 64}));
}

} // namespace
} // namespace morva::lighting
