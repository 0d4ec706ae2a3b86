#include "device/mousepad/pad_exchanges.h"

#include "device/command_packet.h"
#include "device/transacted_write.h"

namespace morva::device::pad {

std::optional<PadSettings> readSettings(DeviceCommandChannel& channel) {
    if (!channel.isOpen()) {
        return std::nullopt;
    }
    std::array<uint8_t, 1> index{};
    if (channel.readSettings(0, index) != kResultOk) {
        return std::nullopt;
    }
    std::array<uint8_t, kPadSettingsReadSize> block{};
    const auto offset = static_cast<uint16_t>(index[0] * kPadSettingsReadStride);
    if (channel.readSettings(offset, block) != kResultOk) {
        return std::nullopt;
    }
    return decodePadSettings(block, index[0]);
}

int writeSettings(DeviceCommandChannel& channel, const PadSettings& settings,
                  uint8_t profileIndex) {
    const PadSettingsBlock block = encodePadSettings(settings);
    return transactedWrite(channel,
                           [&] {
                               return channel.writeSettings(
                                   static_cast<uint16_t>(profileIndex * kPadSettingsWriteStride),
                                   block);
                           })
        .channelResult;
}

std::optional<ui::PowerReport> readStatus(DeviceCommandChannel& channel) {
    if (!channel.isOpen()) {
        return std::nullopt;
    }
    std::array<uint8_t, kPadStatusSize> status{};
    if (channel.readStatus(0, status) != kResultOk) {
        return std::nullopt;
    }
    return decodePadStatus(status, channel.isWireless());
}

} // namespace morva::device::pad
