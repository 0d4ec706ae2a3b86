#include "app/single_instance.h"

#include "base/trace.h"
#include "platform/ipc_client.h"

#include <chrono>
#include <thread>

namespace morva::app {
namespace {

// The running instance may just be leaving, or have its queue full for a moment. A few short
// retries settle who is first.
constexpr int kClaimAttempts = 10;
constexpr auto kRetryPause = std::chrono::milliseconds(20);

} // namespace

SingleInstance::SingleInstance(std::string socketPath) : server_(std::move(socketPath)) {}

SingleInstance::SingleInstance(std::string socketPath, platform::MessageServer::Limits limits)
    : server_(std::move(socketPath), limits) {}

SingleInstance::StartResult SingleInstance::claimOrWake() {
    for (int attempt = 0; attempt < kClaimAttempts; ++attempt) {
        switch (server_.listen()) {
        case platform::MessageServer::ListenResult::Listening:
            return StartResult::First;
        case platform::MessageServer::ListenResult::Failed:
            return StartResult::Failed;
        case platform::MessageServer::ListenResult::NameInUse:
            break;
        }
        const platform::Message wake{platform::MessageKind::Instance, 0, 1};
        switch (platform::sendMessage(server_.socketPath(), wake)) {
        case platform::SendResult::Sent:
            return StartResult::WokeRunningInstance;
        case platform::SendResult::ReceiverNotOurs:
            return StartResult::NameHeldByOtherUser;
        case platform::SendResult::Failed:
            return StartResult::Failed;
        case platform::SendResult::NoReceiver:
        case platform::SendResult::ReceiverBusy:
            std::this_thread::sleep_for(kRetryPause);
            break;
        }
    }
    trace("single instance: \"%s\" is taken but nobody answers\n", server_.socketPath().c_str());
    return StartResult::Failed;
}

bool SingleInstance::serve(EventLoop& loop, platform::MessageServer::Handler handler) {
    return server_.start(loop, std::move(handler));
}

const char* describe(SingleInstance::StartResult result) {
    switch (result) {
    case SingleInstance::StartResult::First:
        return "first instance";
    case SingleInstance::StartResult::WokeRunningInstance:
        return "woke the running instance";
    case SingleInstance::StartResult::NameHeldByOtherUser:
        return "instance socket held by another user";
    case SingleInstance::StartResult::Failed:
        return "single instance unavailable";
    }
    return "unknown";
}

} // namespace morva::app
