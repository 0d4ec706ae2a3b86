#pragma once

#include "base/clock.h"
#include "base/event_loop.h"
#include "base/worker.h"
#include "platform/ipc_message.h"
#include "platform/local_socket.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>

namespace morva::platform {

// Receives messages on a sequenced-packet socket file. A worker accepts connections and reads one
// packet from each; a packet from another user or one that is not a valid message is dropped. No
// connection is waited on: a packet already sent is read as the connection is accepted, a client
// that sends nothing in time is cut off, and when too many wait the one that waited longest goes,
// so idle connections cannot keep the next client out. Valid messages reach the handler on the
// interface thread through the event loop.
class MessageServer {
public:
    using Handler = std::function<void(const Message&)>;

    struct Limits {
        size_t maxClients = 16;        // connections waiting for their packet at one time
        TickMs clientTimeoutMs = 1000; // how long a connection may take to send its packet
    };

    // What happened to the connections so far; updated by the worker.
    struct Counters {
        std::atomic<uint64_t> accepted{0};
        std::atomic<uint64_t> delivered{0};
        std::atomic<uint64_t> rejectedPeers{0};
        std::atomic<uint64_t> rejectedPackets{0};
        std::atomic<uint64_t> timedOut{0};
        std::atomic<uint64_t> droppedIdle{0}; // pushed out by a newer connection
        std::atomic<uint64_t> replacedStale{0};
    };

    enum class ListenResult {
        Listening,
        NameInUse, // another process listens on the socket file
        Failed,
    };

    // `socketPath`: the socket file, in a folder no other user may enter.
    explicit MessageServer(std::string socketPath);
    MessageServer(std::string socketPath, Limits limits);
    ~MessageServer();
    MessageServer(const MessageServer&) = delete;
    MessageServer& operator=(const MessageServer&) = delete;

    // Binds the socket file. A file that nobody listens on any more (its process crashed) is
    // replaced; one that a live process listens on is never touched.
    ListenResult listen();
    // Starts the worker; the loop must outlive the server. False when not listening or running.
    bool start(EventLoop& loop, Handler handler);
    // Stops the worker (bounded wait), removes the socket file if it is still this server's, and
    // closes the socket: the name is free again.
    void stop();

    bool listening() const { return listenFd_.valid(); }
    const std::string& socketPath() const { return socketPath_; }
    const Counters& counters() const { return counters_; }

private:
    struct Client;
    // The identity of the socket file this server bound, so stop() removes only that one.
    struct FileIdentity {
        dev_t device = 0;
        ino_t inode = 0;
    };
    ListenResult bindAndListen(const SocketAddress& address);
    bool replaceStaleSocket();
    void removeSocketFile();
    void serve(std::stop_token stop);
    void acceptClients(std::vector<Client>& clients);
    void dropOldestClient(std::vector<Client>& clients);
    void readClient(Client& client);

    std::string socketPath_;
    Limits limits_;
    UniqueFd listenFd_;
    std::optional<FileIdentity> boundFile_;
    UniqueFd wakeFd_;
    EventLoop* loop_ = nullptr;
    Handler handler_;
    Counters counters_;
    Worker worker_{"message server"};
};

} // namespace morva::platform
