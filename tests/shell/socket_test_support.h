#pragma once

#include "platform/local_socket.h"
#include "tests/support/temp_dir.h"

#include <atomic>
#include <poll.h>
#include <span>
#include <string>
#include <unistd.h>

namespace morva::test {

// A private folder of this test process for its sockets, removed at the end.
inline const std::filesystem::path& socketFolder() {
    static const TempDir folder;
    return folder.path();
}

// A socket path no other test or running program uses.
inline std::string uniqueSocketPath(const std::string& purpose) {
    static std::atomic<int> counter{0};
    return (socketFolder() / (purpose + "." + std::to_string(counter++))).string();
}

// A client that connects and sends what the test says, bypassing the message encoder.
inline UniqueFd connectRaw(const std::string& socketPath) {
    const auto address = platform::socketAddress(socketPath);
    UniqueFd fd = platform::packetSocket(false);
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
