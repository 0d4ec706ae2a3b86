#include "lighting/key_orders.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace morva::lighting {
namespace {

KeyOrder padded(const std::vector<uint8_t>& keys) {
    KeyOrder order;
    order.fill(kNoKey);
    std::copy_n(keys.begin(), std::min(keys.size(), order.size()), order.begin());
    return order;
}

std::vector<uint8_t> keysOf(const KeyOrder& order) {
    std::vector<uint8_t> keys;
    std::copy_if(order.begin(), order.end(), std::back_inserter(keys),
                 [](uint8_t position) { return position != kNoKey; });
    return keys;
}

// The keys of one grid row, from the left.
std::vector<uint8_t> keysOfRow(size_t row) {
    std::vector<uint8_t> keys;
    for (const auto& column : keyboardGrid()) {
        if (column[row] != kNoKey) {
            keys.push_back(column[row]);
        }
    }
    return keys;
}

} // namespace

const KeyOrder& sweepOrder() {
    static const KeyOrder order = [] {
        std::vector<uint8_t> keys;
        for (const auto& diagonal : diagonalGrid()) {
            std::copy_if(diagonal.begin(), diagonal.end(), std::back_inserter(keys),
                         [](uint8_t position) { return position != kNoKey; });
        }
        return padded(keys);
    }();
    return order;
}

const KeyOrder& reverseSweepOrder() {
    static const KeyOrder order = [] {
        std::vector<uint8_t> keys = keysOf(sweepOrder());
        std::reverse(keys.begin(), keys.end());
        return padded(keys);
    }();
    return order;
}

const KeyOrder& snakeOrder() {
    static const KeyOrder order = [] {
        std::vector<uint8_t> keys;
        for (size_t row = 0; row < kGridRows; ++row) {
            std::vector<uint8_t> line = keysOfRow(row);
            if (row % 2 == 1) {
                std::reverse(line.begin(), line.end());
            }
            keys.insert(keys.end(), line.begin(), line.end());
        }
        return padded(keys);
    }();
    return order;
}

const std::array<uint8_t, kRandomOrderLength>& randomOrder() {
    static const auto order = [] {
        std::vector<uint8_t> keys = keysOf(sweepOrder());
        std::erase_if(keys, [](uint8_t position) { return position >= 120; });
        std::sort(keys.begin(), keys.end());
        KeyRandom random;
        for (size_t i = keys.size() - 1; i > 0; --i) {
            std::swap(keys[i], keys[random.below(i + 1)]);
        }
        std::array<uint8_t, kRandomOrderLength> table{};
        table.fill(kNoKey);
        std::copy_n(keys.begin(), std::min(keys.size(), table.size()), table.begin());
        return table;
    }();
    return order;
}

const KeyTable<kDemoSweepRows, kDemoSweepKeys>& demoSweepTable() {
    static const auto table = [] {
        KeyTable<kDemoSweepRows, kDemoSweepKeys> rows{};
        for (size_t step = 0; step < rows.size(); ++step) {
            rows[step] = keyboardGrid()[step + 1];
        }
        return rows;
    }();
    return table;
}

const KeyTable<kDemoPairs, 2>& demoPairTable() {
    static const auto table = [] {
        const std::vector<uint8_t> rightwards = keysOfRow(1);
        std::vector<uint8_t> leftwards = keysOfRow(3);
        std::reverse(leftwards.begin(), leftwards.end());
        KeyTable<kDemoPairs, 2> pairs{};
        for (size_t entry = 0; entry < pairs.size(); ++entry) {
            pairs[entry] = {rightwards[entry], leftwards[entry]};
        }
        return pairs;
    }();
    return table;
}

} // namespace morva::lighting
