#include "device/macro_exchange.h"

#include "device/link_guard.h"

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
    if (!linkUp(channel)) {
        result.linkLost = true;
        return result;
    }
    channel.beginTransaction();
    if (!linkUp(channel)) {
        result.linkLost = true; // the transaction is left open, as the mouse cannot hear its end
        return result;
    }
    result.channelResult = channel.writeMacroImage(encodeMacroImage(image));
    result.sent = true;
    result.linkLost = !linkUp(channel);
    if (!result.linkLost) {
        channel.endTransaction();
    }
    return result;
}

} // namespace morva::device
