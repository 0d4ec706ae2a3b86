#pragma once

#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/types.h>
#include <sys/un.h>

// Small helpers for sequenced-packet sockets in the abstract namespace: no file is created, so
// nothing is left behind by a crash, and each packet keeps its boundaries.
namespace morva::ipc {

// Owns a file descriptor; closes it at the end.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void reset(int fd = -1);

private:
    int fd_ = -1;
};

struct AbstractAddress {
    sockaddr_un address{};
    socklen_t length = 0;
};

// The address of `name` in the abstract namespace; nothing when the name is empty or too long.
std::optional<AbstractAddress> abstractAddress(const std::string& name);

// A new sequenced-packet socket (close-on-exec), or an invalid one when the system refuses.
UniqueFd packetSocket(bool nonBlocking);

// The user id of the process at the other end of a connected socket.
std::optional<uid_t> peerUid(int fd);

} // namespace morva::ipc
