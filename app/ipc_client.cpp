#include "app/ipc_client.h"

#include "app/local_socket.h"
#include "base/trace.h"

#include <cerrno>
#include <cstring>
#include <sys/time.h>
#include <unistd.h>

namespace morva::ipc {
namespace {

void limitBlockingTime(int fd, int timeoutMs) {
    timeval timeout{};
    timeout.tv_sec = timeoutMs / 1000;
    timeout.tv_usec = (timeoutMs % 1000) * 1000;
    // On local sockets the send time-out also bounds connect() when the backlog is full.
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof(timeout));
}

} // namespace

const char* describe(SendResult result) {
    switch (result) {
    case SendResult::Sent:
        return "sent";
    case SendResult::NoReceiver:
        return "no receiver";
    case SendResult::ReceiverNotOurs:
        return "receiver belongs to another user";
    case SendResult::Failed:
        return "failed";
    }
    return "unknown";
}

SendResult sendMessage(const std::string& socketName, const Message& message, int timeoutMs) {
    const auto address = abstractAddress(socketName);
    if (!address) {
        trace("ipc: invalid socket name \"%s\"\n", socketName.c_str());
        return SendResult::Failed;
    }
    const bool wait = timeoutMs > 0;
    UniqueFd fd = packetSocket(!wait);
    if (!fd.valid()) {
        trace("ipc: cannot create a socket: %s\n", std::strerror(errno));
        return SendResult::Failed;
    }
    if (wait) {
        limitBlockingTime(fd.get(), timeoutMs);
    }
    int connected;
    do {
        connected = ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address->address),
                              address->length);
    } while (connected != 0 && errno == EINTR);
    if (connected != 0) {
        if (errno == ECONNREFUSED || errno == ENOENT) {
            return SendResult::NoReceiver;
        }
        trace("ipc: cannot connect to \"%s\": %s\n", socketName.c_str(), std::strerror(errno));
        return SendResult::Failed;
    }
    // Anyone can take a name in the abstract namespace: never hand our messages to a stranger.
    const auto uid = peerUid(fd.get());
    if (!uid || !peerAllowed(*uid, ::getuid())) {
        trace("ipc: \"%s\" is held by another user\n", socketName.c_str());
        return SendResult::ReceiverNotOurs;
    }
    const Packet packet = encodeMessage(message);
    ssize_t written;
    do {
        written = ::send(fd.get(), packet.data(), packet.size(), MSG_NOSIGNAL);
    } while (written < 0 && errno == EINTR);
    if (written != static_cast<ssize_t>(packet.size())) {
        trace("ipc: cannot send to \"%s\": %s\n", socketName.c_str(), std::strerror(errno));
        return SendResult::Failed;
    }
    return SendResult::Sent;
}

std::string socketNameFor(MessageKind kind) {
    return kind == MessageKind::Announce ? announceSocketName() : instanceSocketName();
}

SendResult sendInstanceMessage(MessageKind kind, uint32_t wParam, int32_t lParam, int timeoutMs) {
    return sendMessage(socketNameFor(kind), Message{kind, wParam, lParam}, timeoutMs);
}

} // namespace morva::ipc
