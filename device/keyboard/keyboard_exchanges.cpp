#include "device/keyboard/keyboard_exchanges.h"

#include "device/transacted_write.h"

namespace morva::device::keyboard {

Tables readTables(DeviceCommandChannel& channel) {
    Tables tables;
    channel.beginTransaction();
    const int infoResult = channel.readDeviceInfo(tables.info);
    const size_t tableBytes = tables.info.keyTableBytes();
    bool read = infoResult == kResultOk && tableBytes <= kKeyboardKeyTableLimit &&
                channel.setBlockLength(static_cast<uint16_t>(tableBytes));
    std::vector<uint8_t> keyTable(kKeyboardKeyTableLimit, 0);
    std::vector<uint8_t> ledTable(kKeyboardKeyTableLimit, 0);
    read = read && channel.readKeyTable(keyTable) == kResultOk &&
           channel.readLedIndexTable(ledTable) == kResultOk;
    channel.endTransaction();
    if (!read) {
        return tables;
    }
    keyTable.resize(tableBytes);
    ledTable.resize(tables.info.keyCount());
    tables.maps = buildKeyboardKeyMaps(keyTable, ledTable);
    tables.keyTable = std::move(keyTable);
    tables.read = true;
    return tables;
}

int writeSettings(DeviceCommandChannel& channel, const KeyboardSettings& settings) {
    const KeyboardSettingsBlock block = encodeKeyboardSettings(settings);
    return transactedWrite(
               channel,
               [&] {
                   return channel.writeSettings(
                       static_cast<uint16_t>(settings.profileIndex * kKeyboardSettingsStride),
                       block);
               })
        .channelResult;
}

std::optional<KeyboardSettings> readSettings(DeviceCommandChannel& channel,
                                             const KeyboardSettings& current) {
    uint8_t profileIndex = 0;
    KeyboardSettingsBlock block{};
    if (channel.readSettings(0, std::span(&profileIndex, 1)) != kResultOk ||
        channel.readSettings(static_cast<uint16_t>(profileIndex * kKeyboardSettingsStride),
                             block) != kResultOk) {
        return std::nullopt;
    }
    return decodeKeyboardSettings(block, current);
}

std::optional<int> writeKeyTable(DeviceCommandChannel& channel, const Tables& tables,
                                 const std::vector<profiles::KeyAssignmentRecord>& keys,
                                 uint8_t profileIndex) {
    if (!tables.read) {
        return std::nullopt;
    }
    const std::vector<uint8_t> table = keyboardKeyTableFor(tables.keyTable, tables.maps, keys);
    return transactedWrite(channel, [&] { return channel.writeKeyTable(profileIndex, table); })
        .channelResult;
}

} // namespace morva::device::keyboard
