#pragma once

#include "app/ipc_message.h"
#include "app/local_socket.h"
#include "base/clock.h"
#include "base/event_loop.h"
#include "base/worker.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>

namespace morva::ipc {

// Receives messages on an abstract sequenced-packet socket. A worker accepts connections and reads
// one packet from each; a packet from another user or one that is not a valid message is dropped,
// and a client that sends nothing in time is cut off, so no client can hold the server up. Valid
// messages reach the handler on the interface thread through the event loop.
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
        std::atomic<uint64_t> refusedBusy{0};
    };

    enum class ListenResult {
        Listening,
        NameInUse, // another process listens on the name
        Failed,
    };

    explicit MessageServer(std::string socketName);
    MessageServer(std::string socketName, Limits limits);
    ~MessageServer();
    MessageServer(const MessageServer&) = delete;
    MessageServer& operator=(const MessageServer&) = delete;

    ListenResult listen();
    // Starts the worker; the loop must outlive the server. False when not listening or running.
    bool start(EventLoop& loop, Handler handler);
    // Stops the worker (bounded wait) and closes the socket: the name is free again.
    void stop();

    bool listening() const { return listenFd_.valid(); }
    const std::string& socketName() const { return socketName_; }
    const Counters& counters() const { return counters_; }

private:
    struct Client;
    void serve(std::stop_token stop);
    void acceptClients(std::vector<Client>& clients);
    void readClient(Client& client);

    std::string socketName_;
    Limits limits_;
    UniqueFd listenFd_;
    UniqueFd wakeFd_;
    EventLoop* loop_ = nullptr;
    Handler handler_;
    Counters counters_;
    Worker worker_{"message server"};
};

} // namespace morva::ipc
