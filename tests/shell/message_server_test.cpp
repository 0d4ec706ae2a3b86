#include "base/virtual_event_loop.h"
#include "env_override.h"
#include "platform/ipc_client.h"
#include "platform/message_server.h"
#include "socket_test_support.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>
#include <vector>

namespace morva::platform {
namespace {

using test::connectRaw;
using test::sendRaw;
using test::uniqueSocketPath;
namespace fs = std::filesystem;

class MessageServerTest : public ::testing::Test {
protected:
    void startServer(MessageServer::Limits limits = {}) {
        server_ = std::make_unique<MessageServer>(path_, limits);
        ASSERT_EQ(server_->listen(), MessageServer::ListenResult::Listening);
        ASSERT_TRUE(server_->start(loop_, [this](const Message& message) {
            handlerThreads_.push_back(std::this_thread::get_id());
            received_.push_back(message);
        }));
    }

    bool waitFor(const std::function<bool()>& done) { return loop_.runUntil(done, 10'000); }

    std::string path_ = uniqueSocketPath("server");
    VirtualEventLoop loop_;
    std::unique_ptr<MessageServer> server_;
    std::vector<Message> received_;
    std::vector<std::thread::id> handlerThreads_;
};

TEST_F(MessageServerTest, ValidMessagesReachTheHandlerOnTheLoopThreadInOrder) {
    startServer();
    const std::vector<Message> sent = {{MessageKind::Instance, 0, 1},
                                       {MessageKind::Forward, 5, -7},
                                       {MessageKind::LightControl, 1, 0}};
    for (const Message& message : sent) {
        ASSERT_EQ(sendMessage(path_, message), SendResult::Sent);
        // One connection per message: wait for each so their order is the order sent.
        const size_t expected = received_.size() + 1;
        ASSERT_TRUE(waitFor([&] { return received_.size() == expected; }));
    }
    EXPECT_EQ(received_, sent);
    for (const auto& thread : handlerThreads_) {
        EXPECT_EQ(thread, std::this_thread::get_id());
    }
    EXPECT_EQ(server_->counters().delivered, 3u);
}

TEST_F(MessageServerTest, MalformedAndOversizedPacketsAreDroppedAndTheServerGoesOn) {
    startServer();
    const Packet valid = encodeMessage({MessageKind::Instance, 0, 1});
    std::vector<std::vector<uint8_t>> bad = {
        std::vector<uint8_t>(valid.begin(), valid.end() - 1), // short
        std::vector<uint8_t>(kPacketSize + 1, 0),             // one byte too many
        std::vector<uint8_t>(64 * 1024, 'A'),                 // far too many
        {'s', 'h', 'o', 'w', '\n'},                           // a text line
    };
    std::vector<uint8_t> badKind(valid.begin(), valid.end());
    badKind[5] = 9;
    bad.push_back(badKind);

    for (size_t i = 0; i < bad.size(); ++i) {
        SCOPED_TRACE(i);
        const UniqueFd client = connectRaw(path_);
        ASSERT_TRUE(client.valid());
        ASSERT_TRUE(sendRaw(client.get(), bad[i]));
        ASSERT_TRUE(waitFor([&] { return server_->counters().rejectedPackets == i + 1; }));
    }
    ASSERT_EQ(sendMessage(path_, {MessageKind::Forward, 3, 4}), SendResult::Sent);
    ASSERT_TRUE(waitFor([&] { return received_.size() == 1; }));
    EXPECT_EQ(received_[0], (Message{MessageKind::Forward, 3, 4}));
    loop_.runPending();
    EXPECT_EQ(received_.size(), 1u);
}

TEST_F(MessageServerTest, OnlyTheFirstPacketOfAConnectionCounts) {
    startServer();
    const UniqueFd client = connectRaw(path_);
    ASSERT_TRUE(client.valid());
    const Packet first = encodeMessage({MessageKind::Instance, 0, 1});
    const Packet second = encodeMessage({MessageKind::LightControl, 1, 0});
    ASSERT_TRUE(sendRaw(client.get(), first));
    ASSERT_TRUE(waitFor([&] { return received_.size() == 1; }));
    // The server has closed the connection after the first packet.
    EXPECT_TRUE(test::closedByPeer(client.get()));
    sendRaw(client.get(), second);
    ASSERT_EQ(sendMessage(path_, {MessageKind::Forward, 0, 0}), SendResult::Sent);
    ASSERT_TRUE(waitFor([&] { return received_.size() == 2; }));
    EXPECT_EQ(received_[1].kind, MessageKind::Forward);
}

TEST_F(MessageServerTest, ASilentClientNeitherBlocksOthersNorStaysForever) {
    startServer({.maxClients = 16, .clientTimeoutMs = 200});
    const UniqueFd silent = connectRaw(path_);
    ASSERT_TRUE(silent.valid());
    ASSERT_EQ(sendMessage(path_, {MessageKind::Instance, 0, 1}), SendResult::Sent);
    ASSERT_TRUE(waitFor([&] { return received_.size() == 1; }));
    ASSERT_TRUE(waitFor([&] { return server_->counters().timedOut == 1; }));
    EXPECT_TRUE(test::closedByPeer(silent.get())) << "the silent client was not cut off";
}

TEST_F(MessageServerTest, BeyondTheLimitTheLongestWaitingIdleClientIsCutOff) {
    startServer({.maxClients = 2, .clientTimeoutMs = 60'000});
    std::vector<UniqueFd> silent;
    for (int i = 0; i < 3; ++i) {
        silent.push_back(connectRaw(path_));
        ASSERT_TRUE(silent.back().valid());
        ASSERT_TRUE(waitFor([&] { return server_->counters().accepted == silent.size(); }));
    }
    ASSERT_TRUE(waitFor([&] { return server_->counters().droppedIdle == 1; }));
    EXPECT_TRUE(test::closedByPeer(silent[0].get())) << "the oldest idle client was kept";
    EXPECT_EQ(server_->counters().timedOut, 0u);
}

// Programs that open connections and send nothing must not keep the user's messages out.
TEST_F(MessageServerTest, IdleConnectionsDoNotKeepAMessageOut) {
    startServer({.maxClients = 16, .clientTimeoutMs = 60'000});
    std::vector<UniqueFd> idle;
    for (int i = 0; i < 40; ++i) {
        idle.push_back(connectRaw(path_));
        ASSERT_TRUE(idle.back().valid()) << i;
        ASSERT_TRUE(waitFor([&] { return server_->counters().accepted == idle.size(); })) << i;
    }
    ASSERT_EQ(sendMessage(path_, {MessageKind::Forward, 7, 8}), SendResult::Sent);
    ASSERT_TRUE(waitFor([&] { return received_.size() == 1; }));
    EXPECT_EQ(received_[0], (Message{MessageKind::Forward, 7, 8}));
    EXPECT_EQ(server_->counters().timedOut, 0u);
}

TEST_F(MessageServerTest, TheNameIsTakenWhileListeningAndFreeAfterStop) {
    startServer();
    MessageServer second(path_);
    EXPECT_EQ(second.listen(), MessageServer::ListenResult::NameInUse);
    EXPECT_EQ(server_->counters().replacedStale, 0u);
    // The attempt left the live socket alone: messages still reach the first server.
    ASSERT_EQ(sendMessage(path_, {MessageKind::Forward, 1, 2}), SendResult::Sent);
    ASSERT_TRUE(waitFor([&] { return received_.size() == 1; }));
    server_->stop();
    EXPECT_FALSE(server_->listening());
    EXPECT_FALSE(fs::exists(fs::symlink_status(path_))) << "the socket file was left behind";
    EXPECT_EQ(sendMessage(path_, {MessageKind::Instance, 0, 1}), SendResult::NoReceiver);
    EXPECT_EQ(second.listen(), MessageServer::ListenResult::Listening);
}

// A process that crashed left its socket file; nobody listens on it any more.
TEST_F(MessageServerTest, AStaleSocketFileIsReplaced) {
    {
        const auto address = socketAddress(path_);
        ASSERT_TRUE(address);
        const UniqueFd crashed = packetSocket(false);
        ASSERT_EQ(::bind(crashed.get(), reinterpret_cast<const sockaddr*>(&address->address),
                         address->length),
                  0);
        ASSERT_EQ(::listen(crashed.get(), 1), 0);
    }
    ASSERT_TRUE(fs::is_socket(path_));
    EXPECT_EQ(sendMessage(path_, {MessageKind::Instance, 0, 1}), SendResult::NoReceiver);
    startServer();
    EXPECT_EQ(server_->counters().replacedStale, 1u);
    ASSERT_EQ(sendMessage(path_, {MessageKind::Instance, 0, 1}), SendResult::Sent);
    ASSERT_TRUE(waitFor([&] { return received_.size() == 1; }));
}

TEST_F(MessageServerTest, AFileInTheWayThatIsNoSocketIsLeftAlone) {
    std::ofstream(path_) << "someone's data";
    MessageServer server(path_);
    EXPECT_EQ(server.listen(), MessageServer::ListenResult::Failed);
    std::ifstream in(path_);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "someone's data");
}

// Stopping removes the socket file only while it is still this server's.
TEST_F(MessageServerTest, StopLeavesAnotherServersSocketFileAlone) {
    MessageServer replaced(path_);
    ASSERT_EQ(replaced.listen(), MessageServer::ListenResult::Listening);
    ASSERT_EQ(::unlink(path_.c_str()), 0);
    startServer();
    replaced.stop();
    ASSERT_EQ(sendMessage(path_, {MessageKind::Forward, 3, 3}), SendResult::Sent);
    ASSERT_TRUE(waitFor([&] { return received_.size() == 1; }));
}

TEST_F(MessageServerTest, StopInterruptsTheWaitForAPendingClient) {
    startServer({.maxClients = 16, .clientTimeoutMs = 60'000});
    const UniqueFd silent = connectRaw(path_);
    ASSERT_TRUE(silent.valid());
    ASSERT_TRUE(waitFor([&] { return server_->counters().accepted == 1; }));
    server_->stop();
    // The socket is closed only once the worker has ended within stop's bounded wait.
    EXPECT_FALSE(server_->listening());
    EXPECT_TRUE(test::closedByPeer(silent.get()));
}

TEST_F(MessageServerTest, StartNeedsAListeningSocket) {
    MessageServer server(path_);
    EXPECT_FALSE(server.start(loop_, [](const Message&) {}));
}

TEST(IpcClientTest, SendingWithoutAReceiverOrToABadPathFails) {
    const Message message{MessageKind::Instance, 0, 1};
    EXPECT_EQ(sendMessage(uniqueSocketPath("nobody"), message), SendResult::NoReceiver);
    for (const std::string& bad :
         {std::string(), std::string("relative/socket"), "/" + std::string(200, 'x')}) {
        EXPECT_EQ(sendMessage(bad, message), SendResult::Failed) << bad;
    }
}

// A listener that takes no connections: its queue fills up, and the sender gives up at once
// instead of waiting for room.
TEST(IpcClientTest, AListenerWithAFullQueueGetsNothing) {
    const std::string path = uniqueSocketPath("full");
    const auto address = socketAddress(path);
    ASSERT_TRUE(address);
    const UniqueFd listener = packetSocket(false);
    ASSERT_EQ(::bind(listener.get(), reinterpret_cast<const sockaddr*>(&address->address),
                     address->length),
              0);
    ASSERT_EQ(::listen(listener.get(), 0), 0);
    std::vector<UniqueFd> queued;
    for (int i = 0; i < 64; ++i) {
        UniqueFd fd = packetSocket(true);
        if (connectNow(fd.get(), *address) != 0) {
            break;
        }
        queued.push_back(std::move(fd));
    }
    ASSERT_LT(queued.size(), 64u) << "the queue never filled";
    EXPECT_EQ(sendMessage(path, {MessageKind::Instance, 0, 1}), SendResult::ReceiverBusy);
}

TEST(IpcClientTest, AnnouncementsGoToTheAnnounceSocketAndTheRestToTheInstance) {
    test::TempDir runtime;
    test::EnvOverride variable("XDG_RUNTIME_DIR", runtime.path().c_str());
    EXPECT_EQ(socketPathFor(MessageKind::Announce), announceSocketPath());
    for (MessageKind kind :
         {MessageKind::Instance, MessageKind::Forward, MessageKind::LightControl}) {
        EXPECT_EQ(socketPathFor(kind), instanceSocketPath());
    }
}

} // namespace
} // namespace morva::platform
