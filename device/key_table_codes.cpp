#include "device/key_table_codes.h"

#include <algorithm>

namespace morva::device {

std::optional<size_t> firstKeyWithCode(std::span<const uint8_t> keyTable,
                                       const profiles::AssignmentCode& code, size_t limit) {
    const size_t keys = std::min(keyTable.size() / 3, limit);
    for (size_t key = 0; key < keys; ++key) {
        if (keyTable[3 * key] == code.kind && keyTable[3 * key + 1] == code.first &&
            keyTable[3 * key + 2] == code.second) {
            return key;
        }
    }
    return std::nullopt;
}

void putKeyCode(std::vector<uint8_t>& keyTable, size_t key, const profiles::AssignmentCode& code) {
    if (3 * key + 2 >= keyTable.size()) {
        return;
    }
    keyTable[3 * key] = code.kind;
    keyTable[3 * key + 1] = code.first;
    keyTable[3 * key + 2] = code.second;
}

} // namespace morva::device
