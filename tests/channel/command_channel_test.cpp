#include "base/trace.h"
#include "device/command_channel.h"
#include "emulator/firmware/direct_transport.h"
#include "emulator/firmware/keyboard_firmware.h"
#include "emulator/firmware/mouse_firmware.h"
#include "tests/support/trace_capture.h"

#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <mutex>
#include <numeric>
#include <string>
#include <vector>

namespace morva {
namespace {

using emulator::DirectFirmwareTransport;
using emulator::FaultKind;
using test::TraceCapture;
using Outcome = DirectFirmwareTransport::Outcome;

// Pauses return at once and are remembered.
class RecordingClock final : public Clock {
public:
    TickMs nowMs() const override { return now_; }
    bool sleepFor(TickMs ms, std::stop_token = {}) override {
        sleeps.push_back(ms);
        now_ += ms;
        return true;
    }
    std::vector<TickMs> sleeps;

private:
    TickMs now_ = 0;
};

std::vector<uint8_t> pattern(size_t size, uint8_t start) {
    std::vector<uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), start);
    return bytes;
}

emulator::FirmwareConfig keyboardWithKeys(uint8_t keys) {
    emulator::FirmwareConfig config = emulator::KeyboardFirmware::defaultConfig();
    config.keyCount = keys;
    return config;
}

// A keyboard of 110 keys (a 330-byte key table) behind an open channel.
class ChannelTest : public ::testing::Test {
protected:
    ChannelTest() { channel.setOpen(true); }

    std::vector<uint16_t> sentOffsets() const {
        std::vector<uint16_t> offsets;
        for (const device::CommandPacket& p : firmware.requests()) {
            offsets.push_back(device::packetOffset(p));
        }
        return offsets;
    }
    std::vector<uint8_t> sentLengths() const {
        std::vector<uint8_t> lengths;
        for (const device::CommandPacket& p : firmware.requests()) {
            lengths.push_back(device::packetChunkLength(p));
        }
        return lengths;
    }
    std::vector<uint32_t> timeouts() const {
        std::vector<uint32_t> all;
        for (const auto& t : transport.transfers()) {
            all.push_back(t.timeoutMs);
        }
        return all;
    }
    std::vector<uint8_t> keyTable() const {
        return {firmware.keyTable().begin(), firmware.keyTable().end()};
    }

    mutable emulator::KeyboardFirmware firmware{keyboardWithKeys(110)};
    DirectFirmwareTransport transport{firmware};
    RecordingClock clock;
    device::DeviceCommandChannel channel{transport, clock};
};

TEST_F(ChannelTest, BeginAndEndTransactionAreSinglePacketsAndEndWaits10Ms) {
    device::CommandPacket begin{0x04, 0x01, 0x00, 0x01};
    device::CommandPacket end{0x04, 0x02, 0x00, 0x02};

    EXPECT_EQ(channel.beginTransaction(), device::kResultOk);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(channel.endTransaction(), device::kResultOk);

    EXPECT_EQ(firmware.requests(), (std::vector<device::CommandPacket>{begin, end}));
    EXPECT_EQ(clock.sleeps, (std::vector<TickMs>{10}));
    EXPECT_EQ(firmware.transactionsBegun(), 1u);
    EXPECT_EQ(firmware.transactionsEnded(), 1u);
}

TEST_F(ChannelTest, DeviceInformationIsOne34BytePacket) {
    device::DeviceInfoRecord info;
    EXPECT_EQ(channel.readDeviceInfo(info), device::kResultOk);
    EXPECT_EQ(sentLengths(), (std::vector<uint8_t>{34}));
    EXPECT_EQ(sentOffsets(), (std::vector<uint16_t>{0}));
    EXPECT_EQ(info, firmware.deviceInfo());
    EXPECT_EQ(info.keyCount(), 110);
}

// Each chunked command: its code and the offsets and lengths of its packets.
TEST_F(ChannelTest, ChunkedCommandsCarryRunningOffsetsAndTheRestInTheLastPacket) {
    std::vector<uint8_t> buffer(512);
    const std::vector<uint8_t> data = pattern(512, 1);
    const std::span<const uint8_t> payload(data);
    const struct {
        const char* name;
        std::function<int(device::DeviceCommandChannel&)> run;
        uint8_t command;
        std::vector<uint16_t> offsets;
        std::vector<uint8_t> lengths;
    } cases[] = {
        {"key table read",
         [&](auto& c) { return c.readKeyTable(buffer); },
         device::command::kReadKeyTable,
         {0, 56, 112, 168, 224, 280},
         {56, 56, 56, 56, 56, 50}},
        {"key table write",
         [&](auto& c) { return c.writeKeyTable(0, payload); },
         device::command::kWriteKeyTable,
         {0, 56, 112, 168, 224, 280},
         {56, 56, 56, 56, 56, 50}},
        {"LED-index table",
         [&](auto& c) { return c.readLedIndexTable(buffer); },
         device::command::kReadLedIndexTable,
         {0, 56},
         {56, 54}},
        {"settings read",
         [&](auto& c) { return c.readSettings(52, std::span(buffer).first(30)); },
         device::command::kReadSettings,
         {52},
         {30}},
        {"settings write",
         [&](auto& c) { return c.writeSettings(26, payload.first(30)); },
         device::command::kWriteSettings,
         {26},
         {30}},
        {"light frame",
         [&](auto& c) { return c.writeLightFrame(2, 512, payload.first(330)); },
         device::command::kWriteLightFrame,
         {1024, 1080, 1136, 1192, 1248, 1304},
         {56, 56, 56, 56, 56, 50}},
        {"macro image",
         [&](auto& c) { return c.writeMacroImage(payload.first(60)); },
         device::command::kWriteMacroImage,
         {0, 56},
         {56, 4}},
        {"status",
         [&](auto& c) { return c.readStatus(0, std::span(buffer).first(6)); },
         device::command::kReadStatus,
         {0},
         {6}},
        {"live frame",
         [&](auto& c) { return c.sendLiveFrame(payload.first(378)); },
         device::command::kLiveLightFrame,
         {0, 56, 112, 168, 224, 280, 336},
         {56, 56, 56, 56, 56, 56, 42}},
    };
    ASSERT_TRUE(channel.setBlockLength(330));
    for (const auto& c : cases) {
        firmware.clearRequests();
        EXPECT_EQ(c.run(channel), device::kResultOk) << c.name;
        EXPECT_EQ(sentOffsets(), c.offsets) << c.name;
        EXPECT_EQ(sentLengths(), c.lengths) << c.name;
        for (const device::CommandPacket& p : firmware.requests()) {
            EXPECT_EQ(device::packetCommand(p), c.command) << c.name;
        }
    }
}

TEST_F(ChannelTest, KeyTableReadCopiesEveryChunkIntoPlace) {
    ASSERT_TRUE(channel.setBlockLength(330));
    std::vector<uint8_t> table(512, 0xEE);
    EXPECT_EQ(channel.readKeyTable(table), device::kResultOk);
    EXPECT_EQ(std::vector<uint8_t>(table.begin(), table.begin() + 330), keyTable());
    EXPECT_EQ(table[330], 0xEE);
}

TEST_F(ChannelTest, ReadsReturnTheDevicesMemoryAtTheirOffsets) {
    std::iota(firmware.settingsMemory().begin(), firmware.settingsMemory().end(), uint8_t{1});
    const std::vector<uint8_t> status = {64, 1, 0, 0, 3, 2};
    std::copy(status.begin(), status.end(), firmware.status().begin());
    std::iota(firmware.ledIndexTable().begin(), firmware.ledIndexTable().end(), uint8_t{50});
    ASSERT_TRUE(channel.setBlockLength(330));
    const auto bytes = [](std::span<const uint8_t> s) {
        return std::vector<uint8_t>(s.begin(), s.end());
    };
    const struct {
        const char* name;
        uint16_t offset;
        size_t length;
        std::function<int(device::DeviceCommandChannel&, uint16_t, std::span<uint8_t>)> read;
        std::vector<uint8_t> expected;
    } cases[] = {
        {"settings block of profile 2", 52, 30,
         [](auto& c, uint16_t at, auto out) { return c.readSettings(at, out); },
         bytes(firmware.settingsBlock(2))},
        {"current profile byte",
         0,
         1,
         [](auto& c, uint16_t at, auto out) { return c.readSettings(at, out); },
         {1}},
        {"status", 0, 6, [](auto& c, uint16_t at, auto out) { return c.readStatus(at, out); },
         status},
        {"status tail",
         4,
         2,
         [](auto& c, uint16_t at, auto out) { return c.readStatus(at, out); },
         {3, 2}},
        {"LED-index table", 0, 110,
         [](auto& c, uint16_t, auto out) { return c.readLedIndexTable(out); },
         bytes(firmware.ledIndexTable())},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> out(c.length);
        EXPECT_EQ(c.read(channel, c.offset, out), device::kResultOk) << c.name;
        EXPECT_EQ(out, c.expected) << c.name;
    }
}

TEST_F(ChannelTest, KeyTableWriteLandsInTheDevice) {
    ASSERT_TRUE(channel.setBlockLength(330));
    const std::vector<uint8_t> table = pattern(330, 3);
    EXPECT_EQ(channel.writeKeyTable(0, table), device::kResultOk);
    EXPECT_EQ(keyTable(), table);
}

TEST_F(ChannelTest, BlockLengthAbove512IsRefusedAndKept) {
    EXPECT_EQ(channel.blockLength(), 512);
    EXPECT_TRUE(channel.setBlockLength(330));
    EXPECT_FALSE(channel.setBlockLength(513));
    EXPECT_FALSE(channel.setBlockLength(0xFFFF));
    EXPECT_EQ(channel.blockLength(), 330);
    EXPECT_TRUE(channel.setBlockLength(512));
    EXPECT_EQ(channel.blockLength(), 512);
}

TEST_F(ChannelTest, ABufferSmallerThanTheBlockIsRefusedUnsent) {
    ASSERT_TRUE(channel.setBlockLength(330));
    std::vector<uint8_t> small(329);
    EXPECT_EQ(channel.readKeyTable(small), device::kResultNoReply);
    EXPECT_EQ(channel.writeKeyTable(0, small), device::kResultNoReply);
    EXPECT_EQ(channel.readLedIndexTable(std::span(small).first(109)), device::kResultNoReply);
    std::vector<uint8_t> status(57);
    EXPECT_EQ(channel.readStatus(0, status), device::kResultNoReply);
    EXPECT_EQ(transport.writes(), 0u);
}

TEST_F(ChannelTest, OffsetsBeyondSixteenBitsAreRefusedUnsent) {
    std::vector<uint8_t> frame(512);
    EXPECT_EQ(channel.writeLightFrame(128, 512, frame), device::kResultNoReply);
    EXPECT_EQ(channel.readSettings(0xFFF0, std::span(frame).first(100)), device::kResultNoReply);
    EXPECT_EQ(transport.writes(), 0u);
}

// What a reply that echoes another command leads to.
TEST_F(ChannelTest, AWrongEchoIsFollowedByExactlyOneMoreRead) {
    const struct {
        const char* name;
        std::vector<FaultKind> faults;
        int result;
        bool gotTheRealRecord;
        size_t leftUnread;
    } cases[] = {
        {"stray report first", {FaultKind::StrayReport}, device::kResultOk, true, 0},
        {"two stray reports: the second is used",
         {FaultKind::StrayReport, FaultKind::StrayReport},
         device::kResultOk,
         false,
         1},
        {"wrong echo and nothing after it",
         {FaultKind::WrongEcho},
         device::kResultNoReply,
         false,
         0},
    };
    for (const auto& c : cases) {
        emulator::KeyboardFirmware device(keyboardWithKeys(110));
        DirectFirmwareTransport link(device);
        device::DeviceCommandChannel ch(link, clock);
        ch.setOpen(true);
        for (FaultKind f : c.faults) {
            device.injectFault(f, device::command::kReadDeviceInfo);
        }
        device::DeviceInfoRecord info;

        EXPECT_EQ(ch.readDeviceInfo(info), c.result) << c.name;

        EXPECT_EQ(link.writes(), 1u) << c.name;
        EXPECT_EQ(link.reads(), 2u) << c.name;
        EXPECT_EQ(info == device.deviceInfo(), c.gotTheRealRecord) << c.name;
        EXPECT_EQ(link.unreadReplies(), c.leftUnread) << c.name;
    }
}

TEST_F(ChannelTest, AFailureStatusEndsTheTransferAfterTheChunksBeforeIt) {
    const struct {
        FaultKind fault;
        int result;
    } cases[] = {{FaultKind::StatusFE, device::kResultStatusFE},
                 {FaultKind::StatusFF, device::kResultStatusFF}};
    const std::vector<uint8_t> table = pattern(330, 100);
    for (const auto& c : cases) {
        emulator::KeyboardFirmware device(keyboardWithKeys(110));
        const std::vector<uint8_t> before(device.keyTable().begin(), device.keyTable().end());
        DirectFirmwareTransport link(device);
        device::DeviceCommandChannel ch(link, clock);
        ch.setOpen(true);
        ASSERT_TRUE(ch.setBlockLength(330));
        device.injectFault(c.fault, device::command::kWriteKeyTable, 3);

        EXPECT_EQ(ch.writeKeyTable(0, table), c.result);

        EXPECT_EQ(device.requests().size(), 3u);
        const std::vector<uint8_t> after(device.keyTable().begin(), device.keyTable().end());
        EXPECT_TRUE(std::equal(table.begin(), table.begin() + 112, after.begin()));
        EXPECT_TRUE(std::equal(before.begin() + 112, before.end(), after.begin() + 112));
    }
}

TEST_F(ChannelTest, KeyTableForAnotherProfileIsRefusedUnsent) {
    ASSERT_TRUE(channel.setBlockLength(330));
    const std::vector<uint8_t> table(330, 1);
    EXPECT_EQ(channel.writeKeyTable(1, table), device::kResultBadProfileIndex);
    EXPECT_EQ(channel.writeKeyTable(255, table), device::kResultBadProfileIndex);
    EXPECT_EQ(transport.writes(), 0u);
    EXPECT_TRUE(firmware.requests().empty());
}

TEST_F(ChannelTest, AClosedChannelSendsNothingAndReturns0) {
    std::vector<uint8_t> buffer(512);
    device::DeviceInfoRecord info;
    const std::function<int()> operations[] = {
        [&] { return channel.beginTransaction(); },
        [&] { return channel.endTransaction(); },
        [&] { return channel.readDeviceInfo(info); },
        [&] { return channel.readSettings(0, std::span(buffer).first(30)); },
        [&] { return channel.writeSettings(0, std::span(buffer).first(30)); },
        [&] { return channel.readKeyTable(buffer); },
        [&] { return channel.writeKeyTable(0, buffer); },
        [&] { return channel.readLedIndexTable(buffer); },
        [&] { return channel.writeLightFrame(0, 512, buffer); },
        [&] { return channel.sendLiveFrame(std::span(buffer).first(378)); },
        [&] { return channel.writeMacroImage(std::span(buffer).first(60)); },
        [&] { return channel.writeGunKeyData(std::span(buffer).first(60)); },
        [&] { return channel.readStatus(0, std::span(buffer).first(6)); },
        [&] { return channel.checkLink() ? 1 : 0; },
    };
    channel.setOpen(false);
    for (size_t i = 0; i < std::size(operations); ++i) {
        EXPECT_EQ(operations[i](), device::kResultNoReply) << "operation " << i;
    }
    EXPECT_EQ(transport.writes(), 0u);
    EXPECT_EQ(transport.reads(), 0u);
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(ChannelTest, AFailedWriteReturnsMinus1WithoutReading) {
    firmware.injectFault(FaultKind::WriteFails);
    EXPECT_EQ(channel.beginTransaction(), device::kResultWriteFailed);
    EXPECT_EQ(transport.reads(), 0u);
}

TEST_F(ChannelTest, UnplugInTheMiddleOfATransferEndsItWithTheChunksBefore) {
    ASSERT_TRUE(channel.setBlockLength(330));
    bool unplugged = false;
    firmware.setUnplugCallback([&] { unplugged = true; });
    firmware.injectFault(FaultKind::Unplug, device::command::kWriteKeyTable, 4);
    const std::vector<uint8_t> table = pattern(330, 9);

    EXPECT_EQ(channel.writeKeyTable(0, table), device::kResultWriteFailed);

    EXPECT_TRUE(unplugged);
    EXPECT_EQ(firmware.requests().size(), 3u);
    EXPECT_TRUE(std::equal(table.begin(), table.begin() + 168, firmware.keyTable().begin()));
    EXPECT_EQ(channel.beginTransaction(), device::kResultWriteFailed);
}

TEST_F(ChannelTest, ASilentDeviceTimesOutAfterOneRead) {
    firmware.setSilent(true);
    EXPECT_EQ(channel.beginTransaction(), device::kResultNoReply);
    EXPECT_EQ(transport.reads(), 1u);
    EXPECT_EQ(transport.simulatedMs(), 1000u);
}

TEST_F(ChannelTest, LatencyIsWaitedForWithinTheTimeOut) {
    firmware.setLatencyMs(400);
    EXPECT_EQ(channel.beginTransaction(), device::kResultOk);
    EXPECT_EQ(transport.simulatedMs(), 400u);
    firmware.setLatencyMs(1500);
    EXPECT_EQ(channel.endTransaction(), device::kResultNoReply);
}

TEST(WirelessChannel, UsesFiveSecondTimeOutsAndNeverSendsLiveFrames) {
    emulator::WirelessMouseFirmware mouse;
    DirectFirmwareTransport transport(mouse);
    RecordingClock clock;
    device::DeviceCommandChannel channel(transport, clock);
    channel.setOpen(true);
    channel.setWireless(true);
    device::DeviceInfoRecord info;

    EXPECT_EQ(channel.readDeviceInfo(info), device::kResultOk);
    EXPECT_EQ(info.dpiSteps(), 320);
    EXPECT_TRUE(channel.checkLink());
    EXPECT_EQ(channel.sendLiveFrame(std::vector<uint8_t>(378, 1)), device::kResultOk);
    EXPECT_EQ(mouse.liveFramesReceived(), 0u);
    for (const auto& t : transport.transfers()) {
        EXPECT_EQ(t.timeoutMs, 5000u);
    }
    EXPECT_EQ(transport.writes(), 2u);

    mouse.setLinked(false);
    EXPECT_FALSE(channel.checkLink());
    EXPECT_EQ(channel.beginTransaction(), device::kResultNoReply);
    EXPECT_EQ(transport.simulatedMs(), 5000u);
}

TEST(WirelessChannel, WiredChannelsUseOneSecondTimeOuts) {
    emulator::MouseFirmware mouse;
    DirectFirmwareTransport transport(mouse);
    RecordingClock clock;
    device::DeviceCommandChannel channel(transport, clock);
    channel.setOpen(true);
    EXPECT_EQ(channel.writeGunKeyData(std::vector<uint8_t>(100, 2)), device::kResultOk);
    EXPECT_EQ(channel.sendLiveFrame(std::vector<uint8_t>(60, 3)), device::kResultOk);
    EXPECT_EQ(transport.transfers().size(), 8u);
    for (const auto& t : transport.transfers()) {
        EXPECT_EQ(t.timeoutMs, 1000u);
    }
    EXPECT_EQ(mouse.gunKeyMemory()[99], 2);
}

TEST_F(ChannelTest, LinkCheckIsTrueOnlyForALinkedReceiver) {
    emulator::WirelessMouseFirmware mouse;
    DirectFirmwareTransport link(mouse);
    device::DeviceCommandChannel ch(link, clock);
    ch.setOpen(true);
    EXPECT_TRUE(ch.checkLink());
    mouse.injectFault(FaultKind::StatusFE);
    EXPECT_FALSE(ch.checkLink());
    mouse.setLinked(false);
    EXPECT_FALSE(ch.checkLink());
    EXPECT_FALSE(channel.checkLink()); // a wired keyboard refuses the command
}

TEST_F(ChannelTest, ALiveFrameReachesTheDeviceUntracedAndUnmarked) {
    TraceCapture capture;
    const std::vector<uint8_t> frame = pattern(378, 0);
    EXPECT_EQ(channel.sendLiveFrame(frame), device::kResultOk);
    EXPECT_EQ(
        std::vector<uint8_t>(firmware.lastLiveFrame().begin(), firmware.lastLiveFrame().end()),
        frame);
    EXPECT_EQ(capture.text(), "");
    EXPECT_EQ(transport.reads(), 7u);
}

TEST_F(ChannelTest, ALiveFrameReportsAFailureStatus) {
    firmware.injectFault(FaultKind::StatusFF, device::command::kLiveLightFrame, 2);
    EXPECT_EQ(channel.sendLiveFrame(std::vector<uint8_t>(378, 1)), device::kResultStatusFF);
    EXPECT_EQ(transport.writes(), 2u);
}

// A command that hangs waiting for its reply on another thread.
class PendingExchangeTest : public ChannelTest {
protected:
    PendingExchangeTest() {
        firmware.setSilent(true);
        transport.setRealWaits(true);
    }
    std::future<int> startHangingRead() {
        auto pending = std::async(std::launch::async, [this] {
            device::DeviceInfoRecord info;
            return channel.readDeviceInfo(info);
        });
        EXPECT_TRUE(transport.waitForPendingRead(std::chrono::seconds(5)));
        return pending;
    }
};

TEST_F(PendingExchangeTest, ALiveFrameIsDroppedWhileAnotherThreadExchanges) {
    TraceCapture capture;
    std::future<int> pending = startHangingRead();
    EXPECT_TRUE(channel.exchangeInProgress());

    EXPECT_EQ(channel.sendLiveFrame(std::vector<uint8_t>(378, 5)), device::kResultOk);

    EXPECT_EQ(firmware.liveFramesReceived(), 0u);
    const std::string text = capture.text();
    size_t drops = 0;
    for (size_t at = text.find("放弃灯光数据"); at != std::string::npos;
         at = text.find("放弃灯光数据", at + 1)) {
        ++drops;
    }
    EXPECT_EQ(drops, 7u);
    channel.close();
    EXPECT_EQ(pending.get(), device::kResultNoReply);
    EXPECT_FALSE(channel.exchangeInProgress());
}

TEST_F(PendingExchangeTest, CloseEndsAPendingReadAtOnceWithFailure) {
    std::future<int> pending = startHangingRead();

    channel.close();

    EXPECT_EQ(pending.get(), device::kResultNoReply);
    EXPECT_FALSE(channel.isOpen());
    EXPECT_EQ(transport.transfers().back().outcome, Outcome::Cancelled);
    EXPECT_EQ(transport.writes(), 1u);
}

TEST_F(ChannelTest, EveryAcknowledgedExchangeIsTracedAsRequestThenReply) {
    TraceCapture capture;
    ASSERT_EQ(channel.beginTransaction(), device::kResultOk);
    device::CommandPacket reply{0x04, 0x00, 0x00, 0x01};
    device::sealPacket(reply);
    EXPECT_EQ(capture.text(), formatPacketDump(kTraceRequest, device::buildSimpleRequest(0x01)) +
                                  formatPacketDump(kTraceReply, reply));
}

TEST_F(ChannelTest, FlagsAreKeptAsSet) {
    channel.setSynchronised(true);
    EXPECT_TRUE(channel.isSynchronised());
    channel.setSynchronised(false);
    EXPECT_FALSE(channel.isSynchronised());
    channel.setWireless(true);
    EXPECT_TRUE(channel.isWireless());
    EXPECT_TRUE(channel.isOpen());
    EXPECT_FALSE(channel.exchangeInProgress());
}

} // namespace
} // namespace morva
