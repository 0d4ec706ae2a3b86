#include "device/mouse/mouse_exchanges.h"

#include "device/key_table_codes.h"
#include "device/link_guard.h"
#include "device/transacted_write.h"

#include <algorithm>

namespace morva::device::mouse {

ButtonMap buildButtonMap(std::span<const uint8_t> keyTable) {
    ButtonMap map;
    map.fill(kNoDeviceKey);
    for (size_t position = 0; position < kMouseButtonCount; ++position) {
        if (const auto key =
                firstKeyWithCode(keyTable, MouseButtonTable()[position], kNoDeviceKey)) {
            map[position] = static_cast<uint8_t>(*key);
        }
    }
    return map;
}

std::vector<uint8_t> keyTableFor(std::span<const uint8_t> deviceTable, const ButtonMap& map,
                                 const std::vector<profiles::KeyAssignmentRecord>& keys) {
    std::vector<uint8_t> table(deviceTable.begin(), deviceTable.end());
    for (size_t position = 0; position < keys.size() && position < kMouseButtonCount; ++position) {
        if (map[position] != kNoDeviceKey) {
            putKeyCode(table, map[position], keys[position].assignment.code);
        }
    }
    return table;
}

Tables readTables(DeviceCommandChannel& channel) {
    Tables tables;
    if (!linkUp(channel)) {
        return tables;
    }
    channel.beginTransaction();
    const int infoResult = channel.readDeviceInfo(tables.info);
    const size_t tableBytes = tables.info.keyTableBytes();
    std::vector<uint8_t> keyTable(kKeyTableLimit, 0);
    const bool read = infoResult == kResultOk && tableBytes <= kKeyTableLimit &&
                      channel.setBlockLength(static_cast<uint16_t>(tableBytes)) &&
                      channel.readKeyTable(keyTable) == kResultOk;
    channel.endTransaction();
    if (read) {
        keyTable.resize(tableBytes);
        tables.buttonMap = buildButtonMap(keyTable);
        tables.keyTable = std::move(keyTable);
        tables.read = true;
    }
    return tables;
}

WriteResult writeSettings(DeviceCommandChannel& channel, const MouseSettings& settings,
                          uint8_t profileIndex) {
    const MouseSettingsBlock block = encodeMouseSettings(settings);
    return transactedWrite(channel, [&] {
        return channel.writeSettings(static_cast<uint16_t>(profileIndex * kMouseSettingsStride),
                                     std::span(block.data(), kMouseSettingsWriteSize));
    });
}

WriteResult writeKeyTable(DeviceCommandChannel& channel, const Tables& tables,
                          const std::vector<profiles::KeyAssignmentRecord>& keys,
                          uint8_t profileIndex) {
    if (!tables.read) {
        return {};
    }
    const std::vector<uint8_t> table = keyTableFor(tables.keyTable, tables.buttonMap, keys);
    return transactedWrite(channel, [&] { return channel.writeKeyTable(profileIndex, table); });
}

WriteResult writeGunKeys(DeviceCommandChannel& channel, std::span<const uint8_t> image) {
    return transactedWrite(channel, [&] { return channel.writeGunKeyData(image); });
}

std::optional<MouseSettingsReadBack> readSettings(DeviceCommandChannel& channel,
                                                  const profiles::LightInfoRecord& current) {
    uint8_t profileIndex = 0;
    MouseSettingsBlock block{};
    if (!linkUp(channel) || channel.readSettings(0, std::span(&profileIndex, 1)) != kResultOk ||
        channel.readSettings(static_cast<uint16_t>(profileIndex * kMouseSettingsStride), block) !=
            kResultOk) {
        return std::nullopt;
    }
    return decodeMouseSettings(block, current);
}

} // namespace morva::device::mouse
