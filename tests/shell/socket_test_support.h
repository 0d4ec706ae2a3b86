#pragma once

#include "app/local_socket.h"

#include <atomic>
#include <poll.h>
#include <span>
#include <string>
#include <unistd.h>

namespace morva::test {

// A socket name no other test or running program uses.
inline std::string uniqueSocketName(const std::string& purpose) {
    static std::atomic<int> counter{0};
    return "morva-test." + purpose + "." + std::to_string(::getpid()) + "." +
           std::to_string(counter++);
}

// A client that connects and sends what the test says, bypassing the message encoder.
inline ipc::UniqueFd connectRaw(const std::string& socketName) {
    const auto address = ipc::abstractAddress(socketName);
    ipc::UniqueFd fd = ipc::packetSocket(false);
    if (!address || !fd.valid() ||
        ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address->address),
                  address->length) != 0) {
        return {};
    }
    return fd;
}

inline bool sendRaw(int fd, std::span<const uint8_t> bytes) {
    return ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
}

// True when the other end closed the connection within the time-out.
inline bool closedByPeer(int fd, int timeoutMs = 10'000) {
    pollfd entry{fd, POLLIN, 0};
    if (::poll(&entry, 1, timeoutMs) != 1) {
        return false;
    }
    uint8_t byte = 0;
    return ::recv(fd, &byte, 1, MSG_DONTWAIT) == 0;
}

} // namespace morva::test
