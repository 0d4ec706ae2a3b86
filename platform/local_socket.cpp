#include "platform/local_socket.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace morva::platform {

std::optional<SocketAddress> socketAddress(const std::string& path) {
    SocketAddress result;
    // One byte for the terminating NUL.
    if (path.empty() || path.front() != '/' || path.find('\0') != std::string::npos ||
        path.size() + 1 > sizeof(result.address.sun_path)) {
        return std::nullopt;
    }
    result.address.sun_family = AF_UNIX;
    std::memcpy(result.address.sun_path, path.data(), path.size());
    result.address.sun_path[path.size()] = '\0';
    result.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + 1);
    return result;
}

UniqueFd packetSocket(bool nonBlocking) {
    const int flags = SOCK_SEQPACKET | SOCK_CLOEXEC | (nonBlocking ? SOCK_NONBLOCK : 0);
    return UniqueFd(::socket(AF_UNIX, flags, 0));
}

int connectNow(int fd, const SocketAddress& address) {
    int connected;
    do {
        connected =
            ::connect(fd, reinterpret_cast<const sockaddr*>(&address.address), address.length);
    } while (connected != 0 && errno == EINTR);
    return connected == 0 ? 0 : errno;
}

Listener probeListener(const SocketAddress& address) {
    const UniqueFd probe = packetSocket(true);
    if (!probe.valid()) {
        return Listener::Unknown;
    }
    switch (connectNow(probe.get(), address)) {
    case 0:
    case EAGAIN:
        return Listener::Alive;
    case ECONNREFUSED:
        return Listener::Stale;
    default:
        return Listener::Unknown;
    }
}

std::optional<uid_t> peerUid(int fd) {
    ucred credentials{};
    socklen_t length = sizeof(credentials);
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0 ||
        length != sizeof(credentials)) {
        return std::nullopt;
    }
    return credentials.uid;
}

} // namespace morva::platform
