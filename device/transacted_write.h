#pragma once

#include "device/command_channel.h"
#include "device/command_packet.h"
#include "device/link_guard.h"

namespace morva::device {

// What a write wrapped in a transaction came to.
struct TransactedWrite {
    bool linkLost = false;              // a link check failed; the write stopped there
    int channelResult = kResultNoReply; // the first result that was not success, else success
    bool sent = false;                  // the write got under way: Begin went out
};

// Begin, the data, End, each after a link check when the device is behind a wireless receiver.
// The data goes only once the device took the Begin; End follows in every case, so the device is
// not left inside a transaction it may have heard begin (only a lost link leaves it open: the
// device cannot hear its end). The result is the first that was not success, as a device whose
// Begin or End went unanswered may not have taken the data over.
template <typename Write>
TransactedWrite transactedWrite(DeviceCommandChannel& channel, Write write) {
    TransactedWrite done;
    if (!linkUp(channel)) {
        done.linkLost = true;
        return done;
    }
    done.sent = true;
    const int begun = channel.beginTransaction();
    if (!linkUp(channel)) {
        done.linkLost = true;
        return done;
    }
    done.channelResult = begun == kResultOk ? write() : begun;
    if (!linkUp(channel)) {
        done.linkLost = true;
        return done;
    }
    const int ended = channel.endTransaction();
    if (done.channelResult == kResultOk) {
        done.channelResult = ended;
    }
    return done;
}

} // namespace morva::device
