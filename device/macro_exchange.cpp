#include "device/macro_exchange.h"

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
    channel.beginTransaction();
    result.channelResult = channel.writeMacroImage(encodeMacroImage(image));
    channel.endTransaction();
    result.sent = true;
    return result;
}

} // namespace morva::device
