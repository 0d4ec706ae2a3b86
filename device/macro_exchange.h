#pragma once

#include "device/command_channel.h"
#include "device/macro_image.h"

namespace morva::device {

// What writing a device's macros came to.
struct MacroWriteResult {
    int excess = 0;        // events that do not fit the macro memory; nothing was sent then
    int channelResult = 0; // the channel's result of the write, when one was made
    bool sent = false;
    bool linkLost = false; // a wireless mouse was not linked; the write stopped there
};

// Writes the image in one transaction, unless it is longer than the device's macro memory or has
// no records (nothing to send) or the channel is closed. A wireless mouse's link is checked
// before each step.
MacroWriteResult writeMacros(DeviceCommandChannel& channel, const MacroImage& image,
                             size_t memoryBytes);

} // namespace morva::device
