#pragma once

#include "device/command_channel.h"
#include "device/mousepad/pad_settings_block.h"
#include "device/mousepad/pad_status.h"

#include <optional>

// The exchanges of a mouse pad (and of the headset's vendor side) over its command channel.
namespace morva::device::pad {

// The pad's current profile index (one byte at offset 0), then that profile's block; nothing
// when the channel is closed or a read failed.
std::optional<PadSettings> readSettings(DeviceCommandChannel& channel);
// The block at profileIndex × 64 inside a transaction; the channel's result of the write.
int writeSettings(DeviceCommandChannel& channel, const PadSettings& settings, uint8_t profileIndex);
// The status report; nothing when the channel is closed or the read did not succeed.
std::optional<ui::PowerReport> readStatus(DeviceCommandChannel& channel);

} // namespace morva::device::pad
