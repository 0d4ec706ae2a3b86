#pragma once

#include "device/command_channel.h"
#include "device/device_info_record.h"
#include "device/key_position_tables.h"
#include "device/mouse/mouse_settings_block.h"
#include "device/transacted_write.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

// The mouse's exchanges over its command channel, apart from any page. Behind a wireless receiver
// every step of a write is preceded by a link check, and a failed check ends the write there.
namespace morva::device::mouse {

inline constexpr uint8_t kNoDeviceKey = 126;
inline constexpr size_t kKeyTableLimit = 512;
using ButtonMap = std::array<uint8_t, kMouseButtonCount>;

// Each button position's device key: the first whose code is the position's factory code.
ButtonMap buildButtonMap(std::span<const uint8_t> keyTable);
// The key table to write: the table read at connection with every mapped position's current
// code in its device key's entry.
std::vector<uint8_t> keyTableFor(std::span<const uint8_t> deviceTable, const ButtonMap& map,
                                 const std::vector<profiles::KeyAssignmentRecord>& keys);

struct Tables {
    DeviceInfoRecord info;
    std::vector<uint8_t> keyTable;
    ButtonMap buttonMap = {kNoDeviceKey, kNoDeviceKey, kNoDeviceKey, kNoDeviceKey, kNoDeviceKey,
                           kNoDeviceKey, kNoDeviceKey, kNoDeviceKey, kNoDeviceKey, kNoDeviceKey};
    bool read = false;
};
// Device information and key table in one transaction (no LED-index table).
Tables readTables(DeviceCommandChannel& channel);

using WriteResult = TransactedWrite;
// The first 66 bytes of the block at profileIndex × 128.
WriteResult writeSettings(DeviceCommandChannel& channel, const MouseSettings& settings,
                          uint8_t profileIndex);
WriteResult writeKeyTable(DeviceCommandChannel& channel, const Tables& tables,
                          const std::vector<profiles::KeyAssignmentRecord>& keys,
                          uint8_t profileIndex);
// The gun-key image with command 0x17.
WriteResult writeGunKeys(DeviceCommandChannel& channel, std::span<const uint8_t> image);
// The mouse's current profile index and its block; nothing when the link or a read failed.
std::optional<MouseSettingsReadBack> readSettings(DeviceCommandChannel& channel,
                                                  const profiles::LightInfoRecord& current);

} // namespace morva::device::mouse
