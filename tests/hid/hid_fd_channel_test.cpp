#include "platform/hid_fd_channel.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace morva::platform {
namespace {

using namespace std::chrono;

// The host end as a channel, the device end as a plain socket.
class FdChannel : public ::testing::Test {
protected:
    void SetUp() override {
        int fds[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds), 0);
        channel_ = std::make_unique<FdHidChannel>(fds[0]);
        device_ = fds[1];
        ASSERT_TRUE(channel_->valid());
    }
    void TearDown() override {
        if (device_ >= 0) {
            ::close(device_);
        }
    }
    void deviceSends(std::vector<uint8_t> report) const {
        ASSERT_EQ(::send(device_, report.data(), report.size(), 0),
                  static_cast<ssize_t>(report.size()));
    }

    std::unique_ptr<FdHidChannel> channel_;
    int device_ = -1;
};

TEST_F(FdChannel, EachReadReturnsOneWholeReport) {
    deviceSends({0x04, 1, 2, 3});
    deviceSends({0x03, 9});
    uint8_t buffer[64] = {};
    size_t got = 0;
    ASSERT_EQ(channel_->read(buffer, 100, got), HidIoResult::kOk);
    EXPECT_EQ(got, 4u);
    EXPECT_EQ(buffer[3], 3);
    ASSERT_EQ(channel_->read(buffer, 100, got), HidIoResult::kOk);
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(buffer[1], 9);
}

TEST_F(FdChannel, AShortBufferTruncatesTheReport) {
    deviceSends({1, 2, 3, 4, 5});
    uint8_t buffer[2] = {};
    size_t got = 0;
    ASSERT_EQ(channel_->read(buffer, 100, got), HidIoResult::kOk);
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(buffer[1], 2);
}

TEST_F(FdChannel, AReadWithNothingToReadTimesOutAfterAboutItsTimeOut) {
    uint8_t buffer[64];
    size_t got = 99;
    const auto begin = steady_clock::now();
    EXPECT_EQ(channel_->read(buffer, 300, got), HidIoResult::kTimedOut);
    const auto spent = duration_cast<milliseconds>(steady_clock::now() - begin).count();
    EXPECT_GE(spent, 290);
    EXPECT_LT(spent, 3000);
    EXPECT_EQ(got, 0u);
}

TEST_F(FdChannel, CancelEndsAWaitingReadAndIsConsumedByIt) {
    size_t got = 0;
    HidIoResult result = HidIoResult::kOk;
    std::thread reader([&] {
        uint8_t buffer[64];
        result = channel_->read(buffer, kHidInfiniteTimeout, got);
    });
    channel_->cancel();
    reader.join();
    EXPECT_EQ(result, HidIoResult::kCancelled);
    // Consumed: the next read waits normally and gets the next report.
    deviceSends({7, 7});
    uint8_t buffer[8];
    EXPECT_EQ(channel_->read(buffer, 100, got), HidIoResult::kOk);
}

TEST_F(FdChannel, AVanishedDeviceEndsTheReadWithDisconnected) {
    std::thread reader([&] {
        uint8_t buffer[64];
        size_t got = 0;
        EXPECT_EQ(channel_->read(buffer, kHidInfiniteTimeout, got), HidIoResult::kDisconnected);
    });
    ::close(device_);
    device_ = -1;
    reader.join();
}

TEST_F(FdChannel, WritesArriveAsWholeReports) {
    const uint8_t report[] = {0x04, 0xAA, 0xBB};
    size_t sent = 0;
    ASSERT_EQ(channel_->write(report, 100, sent), HidIoResult::kOk);
    EXPECT_EQ(sent, 3u);
    uint8_t received[8] = {};
    EXPECT_EQ(::recv(device_, received, sizeof received, 0), 3);
    EXPECT_EQ(received[2], 0xBB);
    EXPECT_FALSE(channel_->setOutputReport(report)) << "a socket has no control pipe";
}

} // namespace
} // namespace morva::platform
