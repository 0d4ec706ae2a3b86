#include "device/keyboard/keyboard_key_maps.h"

#include "device/key_table_codes.h"

namespace morva::device {

KeyboardKeyMaps buildKeyboardKeyMaps(std::span<const uint8_t> keyTable,
                                     std::span<const uint8_t> ledTable) {
    KeyboardKeyMaps maps;
    for (size_t position = 0; position < kKeyPositionCount; ++position) {
        const auto key = firstKeyWithCode(keyTable, KeyPositionTable()[position], kNoDeviceKey);
        if (key) {
            maps.deviceKey[position] = static_cast<uint8_t>(*key);
            if (*key < ledTable.size()) {
                maps.led[position] = ledTable[*key];
            }
        }
    }
    return maps;
}

std::vector<uint8_t> keyboardKeyTableFor(std::span<const uint8_t> deviceTable,
                                         const KeyboardKeyMaps& maps,
                                         const std::vector<profiles::KeyAssignmentRecord>& keys) {
    std::vector<uint8_t> table(deviceTable.begin(), deviceTable.end());
    for (size_t position = 0; position < keys.size() && position < kKeyPositionCount; ++position) {
        if (maps.deviceKey[position] != kNoDeviceKey) {
            putKeyCode(table, maps.deviceKey[position], keys[position].assignment.code);
        }
    }
    return table;
}

} // namespace morva::device
