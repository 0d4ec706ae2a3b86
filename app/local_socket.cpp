#include "app/local_socket.h"

#include <cstring>
#include <unistd.h>

namespace morva::ipc {

void UniqueFd::reset(int fd) {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = fd;
}

std::optional<AbstractAddress> abstractAddress(const std::string& name) {
    AbstractAddress result;
    // One byte for the leading NUL that puts the name in the abstract namespace.
    if (name.empty() || name.size() + 1 > sizeof(result.address.sun_path)) {
        return std::nullopt;
    }
    result.address.sun_family = AF_UNIX;
    result.address.sun_path[0] = '\0';
    std::memcpy(result.address.sun_path + 1, name.data(), name.size());
    result.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    return result;
}

UniqueFd packetSocket(bool nonBlocking) {
    const int flags = SOCK_SEQPACKET | SOCK_CLOEXEC | (nonBlocking ? SOCK_NONBLOCK : 0);
    return UniqueFd(::socket(AF_UNIX, flags, 0));
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

} // namespace morva::ipc
