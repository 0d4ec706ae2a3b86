#pragma once

#include "base/unique_fd.h"

#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/types.h>
#include <sys/un.h>

// Small helpers for sequenced-packet sockets (each packet keeps its boundaries) bound to a file in
// the user's private runtime folder: unlike a name in the abstract namespace, which every user of
// the machine shares, no other user can take it first.
namespace morva::platform {

struct SocketAddress {
    sockaddr_un address{};
    socklen_t length = 0;
};

// The address of the socket file at `path`; nothing when the path is empty, relative, holds a NUL
// byte or is too long for a socket address.
std::optional<SocketAddress> socketAddress(const std::string& path);

// A new sequenced-packet socket (close-on-exec), or an invalid one when the system refuses.
UniqueFd packetSocket(bool nonBlocking);

// Connects without waiting: a listener whose queue is full counts as busy, not as a reason to
// block. 0 or the errno of the failed connect.
int connectNow(int fd, const SocketAddress& address);

enum class Listener {
    Alive,   // something listens, or its queue is full
    Stale,   // a socket file nobody listens on: a process ended without removing it
    Unknown, // the connect failed for another reason: leave the file alone
};

// Whether a process listens on the socket file at `address`.
Listener probeListener(const SocketAddress& address);

// The user id of the process at the other end of a connected socket.
std::optional<uid_t> peerUid(int fd);

} // namespace morva::platform
