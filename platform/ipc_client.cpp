#include "platform/ipc_client.h"

#include "base/trace.h"
#include "platform/local_socket.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace morva::platform {

const char* describe(SendResult result) {
    switch (result) {
    case SendResult::Sent:
        return "sent";
    case SendResult::NoReceiver:
        return "no receiver";
    case SendResult::ReceiverNotOurs:
        return "receiver belongs to another user";
    case SendResult::ReceiverBusy:
        return "receiver busy";
    case SendResult::Failed:
        return "failed";
    }
    return "unknown";
}

SendResult sendMessage(const std::string& socketPath, const Message& message) {
    const auto address = socketAddress(socketPath);
    if (!address) {
        trace("ipc: \"%s\" cannot be a socket path\n", socketPath.c_str());
        return SendResult::Failed;
    }
    UniqueFd fd = packetSocket(true);
    if (!fd.valid()) {
        trace("ipc: cannot create a socket: %s\n", std::strerror(errno));
        return SendResult::Failed;
    }
    switch (const int error = connectNow(fd.get(), *address)) {
    case 0:
        break;
    case ECONNREFUSED:
    case ENOENT:
        return SendResult::NoReceiver;
    case EAGAIN:
        return SendResult::ReceiverBusy;
    default:
        trace("ipc: cannot connect to \"%s\": %s\n", socketPath.c_str(), std::strerror(error));
        return SendResult::Failed;
    }
    // The folder is private, but a socket handed over by another user must not get our messages.
    const auto uid = peerUid(fd.get());
    if (!uid || !peerAllowed(*uid, ::getuid())) {
        trace("ipc: \"%s\" is held by another user\n", socketPath.c_str());
        return SendResult::ReceiverNotOurs;
    }
    const Packet packet = encodeMessage(message);
    ssize_t written;
    do {
        written = ::send(fd.get(), packet.data(), packet.size(), MSG_NOSIGNAL);
    } while (written < 0 && errno == EINTR);
    if (written != static_cast<ssize_t>(packet.size())) {
        trace("ipc: cannot send to \"%s\": %s\n", socketPath.c_str(), std::strerror(errno));
        return SendResult::Failed;
    }
    return SendResult::Sent;
}

std::string socketPathFor(MessageKind kind) {
    return kind == MessageKind::Announce ? announceSocketPath() : instanceSocketPath();
}

SendResult sendInstanceMessage(MessageKind kind, uint32_t wParam, int32_t lParam) {
    return sendMessage(socketPathFor(kind), Message{kind, wParam, lParam});
}

} // namespace morva::platform
