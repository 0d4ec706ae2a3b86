#include "device/macro_exchange.h"

#include "device/transacted_write.h"

namespace morva::device {

MacroWriteResult writeMacros(DeviceCommandChannel& channel, const MacroImage& image,
                             size_t memoryBytes) {
    MacroWriteResult result;
    if (image.records.empty()) {
        return result;
    }
    result.excess = macroImageExcess(macroImageLength(image), memoryBytes);
    if (result.excess > 0 || !channel.isOpen()) {
        return result;
    }
    const std::vector<uint8_t> bytes = encodeMacroImage(image);
    const TransactedWrite written =
        transactedWrite(channel, [&] { return channel.writeMacroImage(bytes); });
    result.channelResult = written.channelResult;
    result.sent = written.sent;
    result.linkLost = written.linkLost;
    return result;
}

} // namespace morva::device
