#include "device/keyboard/keyboard_key_maps.h"

namespace morva::device {

KeyboardKeyMaps buildKeyboardKeyMaps(std::span<const uint8_t> keyTable,
                                     std::span<const uint8_t> ledTable) {
    KeyboardKeyMaps maps;
    const size_t keys = std::min<size_t>(keyTable.size() / 3, kNoDeviceKey);
    for (size_t position = 0; position < kKeyPositionCount; ++position) {
        const profiles::AssignmentCode& factory = KeyPositionTable()[position];
        for (size_t key = 0; key < keys; ++key) {
            if (keyTable[3 * key] == factory.kind && keyTable[3 * key + 1] == factory.first &&
                keyTable[3 * key + 2] == factory.second) {
                maps.deviceKey[position] = static_cast<uint8_t>(key);
                if (key < ledTable.size()) {
                    maps.led[position] = ledTable[key];
                }
                break;
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
        const size_t key = maps.deviceKey[position];
        if (key == kNoDeviceKey || 3 * key + 2 >= table.size()) {
            continue;
        }
        const profiles::AssignmentCode& code = keys[position].assignment.code;
        table[3 * key] = code.kind;
        table[3 * key + 1] = code.first;
        table[3 * key + 2] = code.second;
    }
    return table;
}

} // namespace morva::device
