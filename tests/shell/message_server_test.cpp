#include "app/ipc_client.h"
#include "app/message_server.h"
#include "base/virtual_event_loop.h"
#include "socket_test_support.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace morva::ipc {
namespace {

using test::connectRaw;
using test::sendRaw;
using test::uniqueSocketName;

class MessageServerTest : public ::testing::Test {
protected:
    void startServer(MessageServer::Limits limits = {}) {
        server_ = std::make_unique<MessageServer>(name_, limits);
        ASSERT_EQ(server_->listen(), MessageServer::ListenResult::Listening);
        ASSERT_TRUE(server_->start(loop_, [this](const Message& message) {
            handlerThreads_.push_back(std::this_thread::get_id());
            received_.push_back(message);
        }));
    }

    bool waitFor(const std::function<bool()>& done) { return loop_.runUntil(done, 10'000); }

    std::string name_ = uniqueSocketName("server");
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
        ASSERT_EQ(sendMessage(name_, message), SendResult::Sent);
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
        const UniqueFd client = connectRaw(name_);
        ASSERT_TRUE(client.valid());
        ASSERT_TRUE(sendRaw(client.get(), bad[i]));
        ASSERT_TRUE(waitFor([&] { return server_->counters().rejectedPackets == i + 1; }));
    }
    ASSERT_EQ(sendMessage(name_, {MessageKind::Forward, 3, 4}), SendResult::Sent);
    ASSERT_TRUE(waitFor([&] { return received_.size() == 1; }));
    EXPECT_EQ(received_[0], (Message{MessageKind::Forward, 3, 4}));
    loop_.runPending();
    EXPECT_EQ(received_.size(), 1u);
}

TEST_F(MessageServerTest, OnlyTheFirstPacketOfAConnectionCounts) {
    startServer();
    const UniqueFd client = connectRaw(name_);
    ASSERT_TRUE(client.valid());
    const Packet first = encodeMessage({MessageKind::Instance, 0, 1});
    const Packet second = encodeMessage({MessageKind::LightControl, 1, 0});
    ASSERT_TRUE(sendRaw(client.get(), first));
    ASSERT_TRUE(waitFor([&] { return received_.size() == 1; }));
    // The server has closed the connection after the first packet.
    EXPECT_TRUE(test::closedByPeer(client.get()));
    sendRaw(client.get(), second);
    ASSERT_EQ(sendMessage(name_, {MessageKind::Forward, 0, 0}), SendResult::Sent);
    ASSERT_TRUE(waitFor([&] { return received_.size() == 2; }));
    EXPECT_EQ(received_[1].kind, MessageKind::Forward);
}

TEST_F(MessageServerTest, ASilentClientNeitherBlocksOthersNorStaysForever) {
    startServer({.maxClients = 16, .clientTimeoutMs = 200});
    const UniqueFd silent = connectRaw(name_);
    ASSERT_TRUE(silent.valid());
    ASSERT_EQ(sendMessage(name_, {MessageKind::Instance, 0, 1}), SendResult::Sent);
    ASSERT_TRUE(waitFor([&] { return received_.size() == 1; }));
    ASSERT_TRUE(waitFor([&] { return server_->counters().timedOut == 1; }));
    EXPECT_TRUE(test::closedByPeer(silent.get())) << "the silent client was not cut off";
}

TEST_F(MessageServerTest, ClientsBeyondTheLimitAreRefused) {
    startServer({.maxClients = 2, .clientTimeoutMs = 60'000});
    std::vector<UniqueFd> silent;
    for (int i = 0; i < 3; ++i) {
        silent.push_back(connectRaw(name_));
        ASSERT_TRUE(silent.back().valid());
    }
    ASSERT_TRUE(waitFor([&] { return server_->counters().refusedBusy == 1; }));
    EXPECT_EQ(server_->counters().timedOut, 0u);
}

TEST_F(MessageServerTest, TheNameIsTakenWhileListeningAndFreeAfterStop) {
    startServer();
    MessageServer second(name_);
    EXPECT_EQ(second.listen(), MessageServer::ListenResult::NameInUse);
    server_->stop();
    EXPECT_FALSE(server_->listening());
    EXPECT_EQ(sendMessage(name_, {MessageKind::Instance, 0, 1}), SendResult::NoReceiver);
    EXPECT_EQ(second.listen(), MessageServer::ListenResult::Listening);
}

TEST_F(MessageServerTest, StopInterruptsTheWaitForAPendingClient) {
    startServer({.maxClients = 16, .clientTimeoutMs = 60'000});
    const UniqueFd silent = connectRaw(name_);
    ASSERT_TRUE(silent.valid());
    ASSERT_TRUE(waitFor([&] { return server_->counters().accepted == 1; }));
    server_->stop();
    // The socket is closed only once the worker has ended within stop's bounded wait.
    EXPECT_FALSE(server_->listening());
    EXPECT_TRUE(test::closedByPeer(silent.get()));
}

TEST_F(MessageServerTest, StartNeedsAListeningSocket) {
    MessageServer server(name_);
    EXPECT_FALSE(server.start(loop_, [](const Message&) {}));
}

TEST(IpcClientTest, SendingWithoutAReceiverOrToABadNameFails) {
    const Message message{MessageKind::Instance, 0, 1};
    EXPECT_EQ(sendMessage(uniqueSocketName("nobody"), message), SendResult::NoReceiver);
    EXPECT_EQ(sendMessage(uniqueSocketName("nobody"), message, 0), SendResult::NoReceiver);
    EXPECT_EQ(sendMessage("", message), SendResult::Failed);
    EXPECT_EQ(sendMessage(std::string(200, 'x'), message), SendResult::Failed);
}

TEST(IpcClientTest, AnnouncementsGoToTheAnnounceNameAndTheRestToTheInstance) {
    EXPECT_EQ(socketNameFor(MessageKind::Announce), announceSocketName());
    for (MessageKind kind :
         {MessageKind::Instance, MessageKind::Forward, MessageKind::LightControl}) {
        EXPECT_EQ(socketNameFor(kind), instanceSocketName());
    }
}

} // namespace
} // namespace morva::ipc
