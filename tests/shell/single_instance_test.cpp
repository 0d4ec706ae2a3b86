#include "app/single_instance.h"
#include "base/virtual_event_loop.h"
#include "platform/ipc_client.h"
#include "socket_test_support.h"
#include "tests/support/temp_dir.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace morva {
namespace {

using platform::Message;
using platform::MessageKind;
using platform::SendResult;

constexpr int kLineTimeoutMs = 10'000;

// A started probe program whose output the test reads line by line.
class Probe {
public:
    Probe(const std::string& socketPath, int messagesToServe, std::optional<uid_t> asUid = {}) {
        int pipeFds[2];
        if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        const std::string count = std::to_string(messagesToServe);
        const std::string uid = asUid ? std::to_string(*asUid) : "";
        std::vector<char*> argv = {const_cast<char*>(MORVA_INSTANCE_PROBE),
                                   const_cast<char*>(socketPath.c_str()),
                                   const_cast<char*>(count.c_str())};
        if (asUid) {
            argv.push_back(const_cast<char*>(uid.c_str()));
        }
        argv.push_back(nullptr);
        if (::posix_spawn(&pid_, MORVA_INSTANCE_PROBE, &actions, nullptr, argv.data(), environ) !=
            0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        output_ = pipeFds[0];
    }

    ~Probe() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (output_ >= 0) {
            ::close(output_);
        }
    }

    bool started() const { return pid_ > 0; }

    // The next line of output, or nothing when the program ended or stayed silent too long.
    std::optional<std::string> readLine() {
        for (;;) {
            if (const auto end = buffered_.find('\n'); end != std::string::npos) {
                std::string line = buffered_.substr(0, end);
                buffered_.erase(0, end + 1);
                return line;
            }
            pollfd entry{output_, POLLIN, 0};
            if (::poll(&entry, 1, kLineTimeoutMs) != 1) {
                return std::nullopt;
            }
            char chunk[256];
            const ssize_t length = ::read(output_, chunk, sizeof(chunk));
            if (length <= 0) {
                return std::nullopt;
            }
            buffered_.append(chunk, static_cast<size_t>(length));
        }
    }

    // Waits for the end of the output, then for the program; its exit code, or -1.
    int exitCode() {
        while (readLine()) {
        }
        int status = 0;
        const pid_t ended = ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return ended > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string buffered_;
};

std::string lineFor(MessageKind kind, uint32_t wParam, int32_t lParam, int light) {
    return "message " + std::to_string(static_cast<int>(kind)) + " " + std::to_string(wParam) +
           " " + std::to_string(lParam) + " light " + std::to_string(light);
}

TEST(SingleInstanceTest, SecondStartExitsZeroAndTheFirstGetsTheInstanceMessage) {
    const std::string name = test::uniqueSocketPath("instance");
    Probe first(name, 5);
    ASSERT_TRUE(first.started());
    ASSERT_EQ(first.readLine(), "first");

    Probe second(name, 5);
    ASSERT_TRUE(second.started());
    EXPECT_EQ(second.readLine(), "woke");
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.readLine(), lineFor(MessageKind::Instance, 0, 1, 1));

    // Another process of the user hands the lighting over and takes it back; only wParam 1 counts.
    const std::vector<Message> lightMessages = {
        {MessageKind::LightControl, 0, 0}, // wrong wParam: nothing changes
        {MessageKind::LightControl, 1, 0}, // handed over
        {MessageKind::LightControl, 2, 1}, // wrong wParam: still handed over
        {MessageKind::LightControl, 1, 1}, // taken back
    };
    const std::vector<int> expectedLight = {1, 0, 0, 1};
    for (size_t i = 0; i < lightMessages.size(); ++i) {
        const Message& message = lightMessages[i];
        ASSERT_EQ(platform::sendMessage(name, message), SendResult::Sent);
        EXPECT_EQ(first.readLine(),
                  lineFor(message.kind, message.wParam, message.lParam, expectedLight[i]));
    }
    EXPECT_EQ(first.exitCode(), 0);
}

TEST(SingleInstanceTest, AProcessStartedAfterThisOneWakesIt) {
    const std::string name = test::uniqueSocketPath("instance");
    app::SingleInstance instance(name);
    ASSERT_EQ(instance.claimOrWake(), app::SingleInstance::StartResult::First);
    VirtualEventLoop loop;
    std::vector<Message> received;
    ASSERT_TRUE(instance.serve(loop, [&](const Message& message) { received.push_back(message); }));

    Probe second(name, 1);
    ASSERT_TRUE(second.started());
    EXPECT_EQ(second.readLine(), "woke");
    EXPECT_EQ(second.exitCode(), 0);
    ASSERT_TRUE(loop.runUntil([&] { return !received.empty(); }, kLineTimeoutMs));
    EXPECT_EQ(received, (std::vector<Message>{{MessageKind::Instance, 0, 1}}));
}

TEST(SingleInstanceTest, InTheSameProcessASecondClaimWakesTheFirst) {
    const std::string name = test::uniqueSocketPath("instance");
    app::SingleInstance first(name);
    ASSERT_EQ(first.claimOrWake(), app::SingleInstance::StartResult::First);
    VirtualEventLoop loop;
    int woken = 0;
    ASSERT_TRUE(first.serve(loop, [&](const Message&) { ++woken; }));

    app::SingleInstance second(name);
    EXPECT_EQ(second.claimOrWake(), app::SingleInstance::StartResult::WokeRunningInstance);
    EXPECT_FALSE(second.serve(loop, [](const Message&) {}));
    ASSERT_TRUE(loop.runUntil([&] { return woken == 1; }, kLineTimeoutMs));

    first.stop();
    app::SingleInstance third(name);
    EXPECT_EQ(third.claimOrWake(), app::SingleInstance::StartResult::First);
}

// A crashed instance leaves its socket file behind; the next start takes its place.
TEST(SingleInstanceTest, TheSocketOfACrashedInstanceDoesNotBlockTheNextStart) {
    const std::string path = test::uniqueSocketPath("instance");
    {
        Probe crashed(path, 5);
        ASSERT_TRUE(crashed.started());
        ASSERT_EQ(crashed.readLine(), "first");
    } // killed without a chance to clean up
    ASSERT_TRUE(std::filesystem::is_socket(path));

    app::SingleInstance next(path);
    ASSERT_EQ(next.claimOrWake(), app::SingleInstance::StartResult::First);
    VirtualEventLoop loop;
    int woken = 0;
    ASSERT_TRUE(next.serve(loop, [&](const Message&) { ++woken; }));
    ASSERT_EQ(platform::sendMessage(path, {MessageKind::Instance, 0, 1}), SendResult::Sent);
    ASSERT_TRUE(loop.runUntil([&] { return woken == 1; }, kLineTimeoutMs));
}

constexpr uid_t kOtherUser = 65534;

// The socket lives in a folder that only its user may enter: another user who starts first
// cannot take it, and cannot reach it later.
TEST(SingleInstanceTest, AnotherUserCanNeitherTakeNorReachTheInstanceSocket) {
    if (::getuid() != 0) {
        GTEST_SKIP() << "switching to another user needs root";
    }
    const std::string path = test::uniqueSocketPath("instance");
    {
        Probe squatter(path, 1, kOtherUser);
        ASSERT_TRUE(squatter.started());
        EXPECT_EQ(squatter.readLine(), describe(app::SingleInstance::StartResult::Failed));
        EXPECT_EQ(squatter.exitCode(), 1);
    }
    app::SingleInstance instance(path);
    ASSERT_EQ(instance.claimOrWake(), app::SingleInstance::StartResult::First);
    VirtualEventLoop loop;
    std::vector<Message> received;
    ASSERT_TRUE(instance.serve(loop, [&](const Message& message) { received.push_back(message); }));

    Probe stranger(path, 1, kOtherUser);
    ASSERT_TRUE(stranger.started());
    EXPECT_EQ(stranger.readLine(), describe(app::SingleInstance::StartResult::Failed));
    EXPECT_EQ(stranger.exitCode(), 1);
    ASSERT_EQ(platform::sendMessage(path, {MessageKind::Forward, 1, 1}), SendResult::Sent);
    ASSERT_TRUE(loop.runUntil([&] { return !received.empty(); }, kLineTimeoutMs));
    EXPECT_EQ(received, (std::vector<Message>{{MessageKind::Forward, 1, 1}}));
    EXPECT_EQ(instance.server().counters().rejectedPeers, 0u) << "the stranger got through";
}

// Should the socket ever be reachable by another user, the peer check still keeps them apart:
// neither does the stranger hand its message over, nor does the server take it.
TEST(SingleInstanceTest, ProcessesOfAnotherUserNeitherDeliverNorReceive) {
    if (::getuid() != 0) {
        GTEST_SKIP() << "switching to another user needs root";
    }
    test::TempDir shared;
    std::filesystem::permissions(shared.path(), std::filesystem::perms::all);
    const std::string path = (shared.path() / "instance").string();
    app::SingleInstance instance(path);
    ASSERT_EQ(instance.claimOrWake(), app::SingleInstance::StartResult::First);
    std::filesystem::permissions(path, std::filesystem::perms::all);
    VirtualEventLoop loop;
    std::vector<Message> received;
    ASSERT_TRUE(instance.serve(loop, [&](const Message& message) { received.push_back(message); }));

    Probe stranger(path, 1, kOtherUser);
    ASSERT_TRUE(stranger.started());
    EXPECT_EQ(stranger.readLine(), describe(app::SingleInstance::StartResult::NameHeldByOtherUser));
    EXPECT_EQ(stranger.exitCode(), 1);
    ASSERT_TRUE(loop.runUntil([&] { return instance.server().counters().rejectedPeers >= 1; },
                              kLineTimeoutMs));
    loop.runPending();
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(instance.server().counters().accepted, 0u);
    EXPECT_TRUE(std::filesystem::is_socket(path)) << "the stranger removed the live socket";
}

} // namespace
} // namespace morva
