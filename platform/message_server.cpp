#include "platform/message_server.h"

#include "base/folder_lock.h"
#include "base/trace.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace morva::platform {

struct MessageServer::Client {
    UniqueFd fd;
    std::chrono::steady_clock::time_point deadline;
    bool done = false;
};

namespace {

constexpr int kListenBacklog = 8;

int millisecondsUntil(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<int64_t>(left.count() + 1, 0, 60'000));
}

} // namespace

MessageServer::MessageServer(std::string socketPath)
    : MessageServer(std::move(socketPath), Limits{}) {}

MessageServer::MessageServer(std::string socketPath, Limits limits)
    : socketPath_(std::move(socketPath)), limits_(limits) {}

MessageServer::~MessageServer() {
    stop();
}

MessageServer::ListenResult MessageServer::listen() {
    if (listening()) {
        return ListenResult::Listening;
    }
    const auto address = socketAddress(socketPath_);
    if (!address) {
        trace("ipc: \"%s\" cannot be a socket path\n", socketPath_.c_str());
        return ListenResult::Failed;
    }
    // Another start may be looking at the same file: the stale check and the bind are one step.
    const FolderLock lock(std::filesystem::path(socketPath_).parent_path());
    if (!lock.locked()) {
        trace("ipc: cannot lock the folder of \"%s\"\n", socketPath_.c_str());
        return ListenResult::Failed;
    }
    const ListenResult first = bindAndListen(*address);
    if (first != ListenResult::NameInUse) {
        return first;
    }
    switch (probeListener(*address)) {
    case Listener::Alive:
        return ListenResult::NameInUse;
    case Listener::Stale:
        return replaceStaleSocket() ? bindAndListen(*address) : ListenResult::Failed;
    case Listener::Unknown:
        break;
    }
    trace("ipc: \"%s\" is taken and nobody can be asked whether it is in use\n",
          socketPath_.c_str());
    return ListenResult::Failed;
}

MessageServer::ListenResult MessageServer::bindAndListen(const SocketAddress& address) {
    UniqueFd fd = packetSocket(true);
    if (!fd.valid()) {
        trace("ipc: cannot create a socket: %s\n", std::strerror(errno));
        return ListenResult::Failed;
    }
    if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&address.address), address.length) !=
        0) {
        if (errno == EADDRINUSE) {
            return ListenResult::NameInUse;
        }
        trace("ipc: cannot bind \"%s\": %s\n", socketPath_.c_str(), std::strerror(errno));
        return ListenResult::Failed;
    }
    struct stat bound {};
    if (::lstat(socketPath_.c_str(), &bound) != 0) {
        trace("ipc: \"%s\" vanished after bind: %s\n", socketPath_.c_str(), std::strerror(errno));
        return ListenResult::Failed;
    }
    boundFile_ = FileIdentity{bound.st_dev, bound.st_ino};
    if (::listen(fd.get(), kListenBacklog) != 0) {
        trace("ipc: cannot listen on \"%s\": %s\n", socketPath_.c_str(), std::strerror(errno));
        ::unlink(socketPath_.c_str());
        boundFile_.reset();
        return ListenResult::Failed;
    }
    listenFd_ = std::move(fd);
    return ListenResult::Listening;
}

bool MessageServer::replaceStaleSocket() {
    struct stat existing {};
    if (::lstat(socketPath_.c_str(), &existing) != 0 || !S_ISSOCK(existing.st_mode)) {
        trace("ipc: \"%s\" is in the way and is not a socket; it is left alone\n",
              socketPath_.c_str());
        return false;
    }
    if (::unlink(socketPath_.c_str()) != 0 && errno != ENOENT) {
        trace("ipc: cannot remove the stale socket \"%s\": %s\n", socketPath_.c_str(),
              std::strerror(errno));
        return false;
    }
    ++counters_.replacedStale;
    trace("ipc: replaced the stale socket \"%s\" that nobody listened on\n", socketPath_.c_str());
    return true;
}

void MessageServer::removeSocketFile() {
    if (!boundFile_) {
        return;
    }
    const FolderLock lock(std::filesystem::path(socketPath_).parent_path());
    struct stat current {};
    // A later server may have replaced the file after this one stopped listening: leave it.
    if (::lstat(socketPath_.c_str(), &current) == 0 && current.st_dev == boundFile_->device &&
        current.st_ino == boundFile_->inode) {
        ::unlink(socketPath_.c_str());
    }
    boundFile_.reset();
}

bool MessageServer::start(EventLoop& loop, Handler handler) {
    if (!listening() || worker_.running()) {
        return false;
    }
    wakeFd_ = UniqueFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!wakeFd_.valid()) {
        trace("ipc: cannot create the stop event: %s\n", std::strerror(errno));
        return false;
    }
    loop_ = &loop;
    handler_ = std::move(handler);
    return worker_.start([this](std::stop_token stop) { serve(stop); });
}

void MessageServer::stop() {
    // A worker that did not end in time still polls these descriptors; the destructor waits for
    // it before they are closed.
    if (worker_.stop()) {
        removeSocketFile();
        listenFd_.reset();
        wakeFd_.reset();
    }
}

void MessageServer::serve(std::stop_token stop) {
    const int wakeFd = wakeFd_.get();
    std::stop_callback wake(stop, [wakeFd] {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(wakeFd, &one, sizeof(one));
    });
    std::vector<Client> clients;
    std::vector<pollfd> fds;
    while (!stop.stop_requested()) {
        fds.clear();
        fds.push_back({wakeFd, POLLIN, 0});
        fds.push_back({listenFd_.get(), POLLIN, 0});
        int timeoutMs = -1;
        for (const Client& client : clients) {
            fds.push_back({client.fd.get(), POLLIN, 0});
            const int left = millisecondsUntil(client.deadline);
            timeoutMs = timeoutMs < 0 ? left : std::min(timeoutMs, left);
        }
        if (::poll(fds.data(), fds.size(), timeoutMs) < 0) {
            if (errno == EINTR) {
                continue;
            }
            trace("ipc: poll failed: %s\n", std::strerror(errno));
            return;
        }
        if (fds[0].revents != 0) {
            return;
        }
        // Clients first: accepting may grow the list the poll entries refer to.
        for (size_t i = 0; i < clients.size(); ++i) {
            if (fds[i + 2].revents != 0) {
                readClient(clients[i]);
            }
        }
        const auto now = std::chrono::steady_clock::now();
        for (Client& client : clients) {
            if (!client.done && now >= client.deadline) {
                ++counters_.timedOut;
                trace("ipc: a client of \"%s\" sent nothing in time\n", socketPath_.c_str());
                client.done = true;
            }
        }
        std::erase_if(clients, [](const Client& client) { return client.done; });
        if (fds[1].revents != 0) {
            acceptClients(clients);
        }
    }
}

void MessageServer::acceptClients(std::vector<Client>& clients) {
    for (;;) {
        UniqueFd fd(::accept4(listenFd_.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!fd.valid()) {
            if (errno == EINTR || errno == ECONNABORTED) {
                continue;
            }
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                trace("ipc: accept failed: %s\n", std::strerror(errno));
            }
            return;
        }
        const auto uid = peerUid(fd.get());
        if (!uid || !peerAllowed(*uid, ::getuid())) {
            ++counters_.rejectedPeers;
            trace("ipc: refused a connection from uid %ld\n", uid ? static_cast<long>(*uid) : -1L);
            continue;
        }
        ++counters_.accepted;
        Client client{std::move(fd), std::chrono::steady_clock::now() +
                                         std::chrono::milliseconds(limits_.clientTimeoutMs)};
        // A client usually sends as it connects: serve it now rather than after a poll round.
        readClient(client);
        if (client.done) {
            continue;
        }
        if (clients.size() >= limits_.maxClients) {
            dropOldestClient(clients);
        }
        clients.push_back(std::move(client));
    }
}

void MessageServer::dropOldestClient(std::vector<Client>& clients) {
    // The list is in the order of acceptance; its front has waited longest and sent nothing.
    ++counters_.droppedIdle;
    trace("ipc: too many idle clients on \"%s\"; the oldest is cut off\n", socketPath_.c_str());
    clients.erase(clients.begin());
}

void MessageServer::readClient(Client& client) {
    // One byte more than a packet, and MSG_TRUNC for the real length: oversized packets show.
    uint8_t buffer[kPacketSize + 1];
    const ssize_t length =
        ::recv(client.fd.get(), buffer, sizeof(buffer), MSG_DONTWAIT | MSG_TRUNC);
    if (length < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
        return;
    }
    client.done = true;
    if (length <= 0) {
        return; // closed without a message
    }
    Message message;
    const size_t received = std::min(static_cast<size_t>(length), sizeof(buffer));
    const DecodeError error =
        static_cast<size_t>(length) > kPacketSize
            ? DecodeError::WrongSize
            : decodeMessage(std::span<const uint8_t>(buffer, received), message);
    if (error != DecodeError::None) {
        ++counters_.rejectedPackets;
        trace("ipc: rejected a packet of %zd bytes on \"%s\": %s\n", length, socketPath_.c_str(),
              describe(error));
        return;
    }
    ++counters_.delivered;
    loop_->post([handler = handler_, message] { handler(message); });
}

} // namespace morva::platform
