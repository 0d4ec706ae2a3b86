#pragma once

#include "platform/ipc_message.h"

#include <string>

// The sending side: any process of the user (a second start, the command-line tool, an updater)
// hands a message to the running program. No GUI library is needed.
namespace morva::platform {

enum class SendResult {
    Sent,            // the packet is in the receiver's queue
    NoReceiver,      // nobody listens at that path
    ReceiverNotOurs, // the socket is held by a process of another user: nothing was sent
    ReceiverBusy,    // the receiver takes no more connections now: nothing was sent
    Failed,          // the socket could not be created, connected or written (see the trace)
};

const char* describe(SendResult result);

// Sends one message to the listener at the socket file `socketPath`. Never waits: a receiver
// that does not take the connection at once gets nothing, so neither the interface thread nor
// the command-line tool hangs on a listener that does not read.
SendResult sendMessage(const std::string& socketPath, const Message& message);

// Where a message of that kind goes for this user: the announce socket for announcements, the
// instance socket for everything else.
std::string socketPathFor(MessageKind kind);

// Sends to this user's running program: the announce message goes to the programs that listen
// for announcements, every other kind to the running instance.
SendResult sendInstanceMessage(MessageKind kind, uint32_t wParam, int32_t lParam);

} // namespace morva::platform
