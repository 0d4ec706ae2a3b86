#pragma once

#include "platform/ipc_message.h"
#include "platform/message_server.h"

#include <string>

namespace morva::app {

// One running program per user session. The first start takes the instance socket (in the user's
// private runtime folder) and serves the messages of other processes; a later start finds it
// taken, wakes the running program with the instance message (wParam 0, lParam 1) and should then
// exit with 0. A socket left by a crashed instance is replaced.
class SingleInstance {
public:
    enum class StartResult {
        First,               // this process is the instance: call serve()
        WokeRunningInstance, // another instance runs and got the instance message: exit with 0
        NameHeldByOtherUser, // a process of another user holds the socket: start unguarded
        Failed,              // no socket could be set up: start unguarded (see the trace)
    };

    explicit SingleInstance(std::string socketPath = platform::instanceSocketPath());
    SingleInstance(std::string socketPath, platform::MessageServer::Limits limits);

    StartResult claimOrWake();
    // Delivers the instance, forward and light-control messages to the handler on the loop's
    // thread. Only after claimOrWake() returned First.
    bool serve(EventLoop& loop, platform::MessageServer::Handler handler);
    void stop() { server_.stop(); }

    const platform::MessageServer& server() const { return server_; }

private:
    platform::MessageServer server_;
};

const char* describe(SingleInstance::StartResult result);

} // namespace morva::app
