#pragma once

#include "device/command_channel.h"
#include "device/device_info_record.h"
#include "device/keyboard/keyboard_key_maps.h"
#include "device/keyboard/keyboard_settings_block.h"

#include <optional>
#include <vector>

// The keyboard's exchanges over its command channel, apart from any page: what the device object
// and the command line both run.
namespace morva::device::keyboard {

// What connecting reads from the keyboard.
struct Tables {
    DeviceInfoRecord info;
    std::vector<uint8_t> keyTable; // N × 3 bytes, as read
    KeyboardKeyMaps maps;
    bool read = false; // false also for a key table over 512 bytes, which is not read
};

// Device information, key table and LED-index table in one transaction, and the maps built from
// them.
Tables readTables(DeviceCommandChannel& channel);

// The block of `settings.profileIndex` in one transaction; the channel's result.
int writeSettings(DeviceCommandChannel& channel, const KeyboardSettings& settings);
// The keyboard's current profile index and its block taken over `current`; nothing when a read
// failed.
std::optional<KeyboardSettings> readSettings(DeviceCommandChannel& channel,
                                             const KeyboardSettings& current);
// The key table made from the tables read at connection and the key list, in one transaction;
// the channel's result, or nothing when there are no tables to write.
std::optional<int> writeKeyTable(DeviceCommandChannel& channel, const Tables& tables,
                                 const std::vector<profiles::KeyAssignmentRecord>& keys,
                                 uint8_t profileIndex);

} // namespace morva::device::keyboard
