#pragma once

#include "app/ipc_message.h"

#include <string>

// The sending side: any process of the user (a second start, the command-line tool, an updater)
// hands a message to the running program. No GUI library is needed.
namespace morva::ipc {

enum class SendResult {
    Sent,            // the packet is in the receiver's queue
    NoReceiver,      // nobody listens on that name
    ReceiverNotOurs, // the name is held by a process of another user: nothing was sent
    Failed,          // the socket could not be created, connected or written (see the trace)
};

const char* describe(SendResult result);

inline constexpr int kDefaultSendTimeoutMs = 1000;

// Sends one message to the listener at the abstract socket `socketName`. Gives up after the
// time-out when the receiver does not take the connection; with 0 it never waits (for the
// interface thread, which must not hang on a listener that does not read).
SendResult sendMessage(const std::string& socketName, const Message& message,
                       int timeoutMs = kDefaultSendTimeoutMs);

// Where a message of that kind goes for this user: the announce name for announcements, the
// instance name for everything else.
std::string socketNameFor(MessageKind kind);

// Sends to this user's running program: the announce message goes to the programs that listen
// for announcements, every other kind to the running instance.
SendResult sendInstanceMessage(MessageKind kind, uint32_t wParam, int32_t lParam,
                               int timeoutMs = kDefaultSendTimeoutMs);

} // namespace morva::ipc
