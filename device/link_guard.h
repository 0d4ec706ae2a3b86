#pragma once

#include "device/command_channel.h"

namespace morva::device {

// Before each step of a write to a mouse behind a wireless receiver, the receiver is asked
// whether the mouse is linked; a wired device needs no check.
inline bool linkUp(DeviceCommandChannel& channel) {
    return !channel.isWireless() || channel.checkLink();
}

} // namespace morva::device
