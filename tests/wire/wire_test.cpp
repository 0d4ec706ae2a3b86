// A command's whole road: channel → CHidDevice → emulated HID bus → device → firmware, and back.
#include "device/command_channel.h"
#include "emulator/emulated_models.h"
#include "tests/wire/wire_test_support.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <numeric>
#include <thread>

namespace morva {
namespace {

using emulator::FaultKind;
using SteadyClock = std::chrono::steady_clock;

long long msSince(SteadyClock::time_point begin) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - begin)
        .count();
}

// Polls a condition that another thread makes true; false when it never does.
template <typename Predicate> bool waitUntil(Predicate predicate) {
    const auto begin = SteadyClock::now();
    while (!predicate()) {
        if (msSince(begin) > 5000) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

std::vector<uint8_t> pattern(size_t size, uint8_t start) {
    std::vector<uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), start);
    return bytes;
}

// A keyboard of 126 keys (a 378-byte key table, seven packets) plugged into a bus, and a channel
// open on its vendor collection.
class WireTest : public ::testing::Test {
protected:
    WireTest()
        : keyboard(emulator::makeEmulatedKeyboard()),
          id(emulator::plugFirmwareDevice(bus, keyboard)) {
        EXPECT_TRUE(channel.open(vendorPath()));
        EXPECT_TRUE(channel.setBlockLength(static_cast<uint16_t>(firmware().keyTable().size())));
    }

    emulator::CommandFirmware& firmware() { return keyboard->firmware(); }
    std::wstring vendorPath() { return test::pathOnBus(bus, id, 1, 4); }
    std::wstring consumerPath() { return test::pathOnBus(bus, id, 1, 3); }
    std::vector<uint8_t> keyTable() {
        return {firmware().keyTable().begin(), firmware().keyTable().end()};
    }

    emulator::EmulatedHidBus bus;
    std::shared_ptr<emulator::FirmwareHidDevice> keyboard;
    emulator::EmulatedHidBus::DeviceId id;
    test::NoPauseClock clock;
    device::DeviceCommandChannel channel{bus, clock};
};

TEST_F(WireTest, BeginReadInformationEndReachTheKeyboardFirmware) {
    device::DeviceInfoRecord info;
    EXPECT_EQ(channel.beginTransaction(), device::kResultOk);
    EXPECT_TRUE(firmware().inTransaction());
    EXPECT_EQ(channel.readDeviceInfo(info), device::kResultOk);
    EXPECT_EQ(channel.endTransaction(), device::kResultOk);

    EXPECT_EQ(info, firmware().deviceInfo());
    EXPECT_EQ(info.keyCount(), 126);
    EXPECT_EQ(info.macroMemoryUnits(), 32);
    EXPECT_FALSE(firmware().inTransaction());
    EXPECT_EQ(firmware().transactionsEnded(), 1u);
    std::vector<uint8_t> commands;
    for (const device::CommandPacket& request : firmware().requests()) {
        commands.push_back(device::packetCommand(request));
        EXPECT_TRUE(device::hasValidChecksum(request));
    }
    EXPECT_EQ(commands, (std::vector<uint8_t>{0x01, 0x03, 0x02}));
    EXPECT_EQ(firmware().malformedRequests(), 0u);
}

TEST_F(WireTest, KeyTableWriteLandsInTheKeyboardMemoryAndReadsBack) {
    const std::vector<uint8_t> table = pattern(378, 9);
    ASSERT_EQ(channel.writeKeyTable(0, table), device::kResultOk);
    EXPECT_EQ(keyTable(), table);
    EXPECT_EQ(firmware().requests().size(), 7u);

    std::vector<uint8_t> readBack(378);
    ASSERT_EQ(channel.readKeyTable(readBack), device::kResultOk);
    EXPECT_EQ(readBack, table);
}

struct ChunkFault {
    const char* name;
    FaultKind kind;
    int expectedResult;
    size_t chunksKept; // chunks of the new table in the device's memory afterwards
};

class WireFaultTest : public WireTest, public ::testing::WithParamInterface<ChunkFault> {};

// The fault strikes the third chunk of a key-table write.
TEST_P(WireFaultTest, AFaultInTheThirdChunkEndsTheWriteWithItsResult) {
    const ChunkFault& fault = GetParam();
    const std::vector<uint8_t> before = keyTable();
    const std::vector<uint8_t> table = pattern(378, 100);
    firmware().injectFault(fault.kind, device::command::kWriteKeyTable, 3);

    EXPECT_EQ(channel.writeKeyTable(0, table), fault.expectedResult);

    const std::vector<uint8_t> after = keyTable();
    const size_t kept = std::min(fault.chunksKept * device::kChunkSize, table.size());
    EXPECT_TRUE(std::equal(table.begin(), table.begin() + static_cast<long>(kept), after.begin()));
    if (kept < table.size()) {
        EXPECT_TRUE(std::equal(before.begin() + static_cast<long>(kept), before.end(),
                               after.begin() + static_cast<long>(kept)))
            << "nothing after the failed chunk reached the memory";
    }
    // The channel is still usable: the device answers the next command.
    EXPECT_EQ(channel.beginTransaction(), device::kResultOk);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, WireFaultTest,
    ::testing::Values(ChunkFault{"StatusFE", FaultKind::StatusFE, device::kResultStatusFE, 2},
                      ChunkFault{"StatusFF", FaultKind::StatusFF, device::kResultStatusFF, 2},
                      ChunkFault{"WriteFails", FaultKind::WriteFails, device::kResultWriteFailed,
                                 2},
                      // A stray report before the right reply is read past.
                      ChunkFault{"StrayReport", FaultKind::StrayReport, device::kResultOk, 7}),
    [](const auto& param) { return std::string(param.param.name); });

// A reply that echoes another command is followed by one more read; when nothing else comes,
// that read times out and the command has no reply.
TEST_F(WireTest, AWrongEchoIsFollowedByOneMoreReadThatTimesOut) {
    firmware().injectFault(FaultKind::WrongEcho, device::command::kReadDeviceInfo);
    device::DeviceInfoRecord info;
    const auto begin = SteadyClock::now();
    EXPECT_EQ(channel.readDeviceInfo(info), device::kResultNoReply);
    EXPECT_GE(msSince(begin), 900) << "the second read waited for its time-out";
    EXPECT_EQ(channel.readDeviceInfo(info), device::kResultOk)
        << "no stale reply confuses the next";
    EXPECT_EQ(info, firmware().deviceInfo());
}

TEST_F(WireTest, AnUnplugInTheMiddleOfAWriteFailsItAndLeavesNoReaderBlocked) {
    hid::CHidDevice events(bus);
    ASSERT_TRUE(events.Open(consumerPath(), true, false, true, false));
    auto eventRead = std::async(std::launch::async, [&] {
        uint8_t buffer[5] = {};
        uint32_t got = 0;
        return events.Read(sizeof buffer, got, buffer, hid::kHidInfinite);
    });
    ASSERT_TRUE(waitUntil([&] { return events.reading(); }));
    firmware().injectFault(FaultKind::Unplug, device::command::kWriteKeyTable, 3);
    const std::vector<uint8_t> before = keyTable();
    const std::vector<uint8_t> table = pattern(378, 50);

    EXPECT_EQ(channel.writeKeyTable(0, table), device::kResultWriteFailed);

    EXPECT_EQ(bus.deviceCount(), 0u);
    EXPECT_FALSE(firmware().isPlugged());
    EXPECT_TRUE(std::equal(table.begin(), table.begin() + 112, keyTable().begin()));
    EXPECT_TRUE(std::equal(before.begin() + 112, before.end(), keyTable().begin() + 112));
    ASSERT_EQ(eventRead.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_FALSE(eventRead.get());
    const auto begin = SteadyClock::now();
    EXPECT_EQ(channel.beginTransaction(), device::kResultWriteFailed);
    EXPECT_LT(msSince(begin), 500) << "a gone device fails at once";
}

// The device takes its time to answer and is pulled out meanwhile: the waiting read ends at
// once, and the late reply goes nowhere.
TEST_F(WireTest, AnUnplugWhileAReplyIsAwaitedEndsTheRead) {
    firmware().setLatencyMs(4000);
    device::DeviceInfoRecord info;
    const auto begin = SteadyClock::now();
    auto pending = std::async(std::launch::async, [&] { return channel.readDeviceInfo(info); });
    ASSERT_TRUE(waitUntil([&] { return channel.hidDevice()->reading(); }));
    ASSERT_TRUE(bus.unplug(id));
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(pending.get(), device::kResultNoReply);
    EXPECT_LT(msSince(begin), 900) << "well before the 1000 ms time-out";
}

TEST_F(WireTest, ACloseDuringAPendingReadEndsItAtOnceWithFailure) {
    firmware().setSilent(true);
    device::DeviceInfoRecord info;
    const auto begin = SteadyClock::now();
    auto pending = std::async(std::launch::async, [&] { return channel.readDeviceInfo(info); });
    ASSERT_TRUE(waitUntil([&] { return channel.hidDevice()->reading(); }));
    channel.close();
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(pending.get(), device::kResultNoReply);
    EXPECT_LT(msSince(begin), 900) << "well before the 1000 ms time-out";
    EXPECT_FALSE(channel.hidDevice()->IsOpen());
    const size_t sent = keyboard->outputReportCount();
    EXPECT_EQ(channel.beginTransaction(), device::kResultNoReply);
    EXPECT_EQ(keyboard->outputReportCount(), sent) << "a closed channel sends nothing";

    firmware().setSilent(false);
    ASSERT_TRUE(channel.open(vendorPath()));
    EXPECT_EQ(channel.beginTransaction(), device::kResultOk) << "it opens again";
}

TEST_F(WireTest, ConsumerReportsArriveOnTheCompanionCollectionOnly) {
    hid::CHidDevice events(bus);
    ASSERT_TRUE(events.Open(consumerPath(), true, false, true, false));
    ASSERT_EQ(events.caps().inputReportByteLength, 5);
    keyboard->withFirmware([](emulator::CommandFirmware& f) {
        f.sendKeyDown(7);
        f.sendKeyUp(7);
        f.sendSynchronisationRequest();
    });
    const std::vector<std::vector<uint8_t>> expected = {{0x03, 0x07, 0x05, 0x00, 0x00},
                                                        {0x03, 0x07, 0x06, 0x00, 0x00},
                                                        {0x03, 0x01, 0x04, 0x00, 0x00}};
    for (const auto& want : expected) {
        std::vector<uint8_t> report(5, 0xEE);
        uint32_t got = 0;
        ASSERT_TRUE(events.Read(5, got, report.data(), 1000));
        EXPECT_EQ(got, 5u);
        EXPECT_EQ(report, want);
    }
    auto& data = events.input().data;
    const uint8_t keyDown[5] = {0x03, 0x07, 0x05, 0x00, 0x00};
    ASSERT_TRUE(hid::CHidDevice::DecodeInputReport(data, keyDown, 5, events.preparsedData()));
    const bool decoded = std::any_of(data.begin(), data.end(), [](const hid::HidUsageData& entry) {
        return std::find(entry.usages.begin(), entry.usages.end(), 0x0507) != entry.usages.end();
    });
    EXPECT_TRUE(decoded) << "the descriptor's event array carries key 7 down as usage 0x0507";
    // The command collection never sees them: the next exchange reads its own reply.
    EXPECT_EQ(channel.beginTransaction(), device::kResultOk);
}

// A slow device holds up neither the writer nor the reply: the write returns before the reply
// exists, and the reply comes after the latency.
TEST_F(WireTest, LatencyDelaysTheReplyButNotTheWrite) {
    firmware().setLatencyMs(300);
    hid::CHidDevice raw(bus);
    ASSERT_TRUE(raw.Open(vendorPath(), true, true, true, false));
    const device::CommandPacket begin =
        device::buildSimpleRequest(device::command::kBeginTransaction);
    uint32_t written = 0;
    const auto start = SteadyClock::now();
    ASSERT_TRUE(raw.Write(device::kPacketSize, written, begin.data(), 1000));
    EXPECT_FALSE(keyboard->repliesDelivered()) << "the reply is still on its way";
    device::CommandPacket reply{};
    uint32_t got = 0;
    ASSERT_TRUE(raw.Read(device::kPacketSize, got, reply.data(), 2000));
    EXPECT_GE(msSince(start), 250);
    EXPECT_EQ(device::packetCommand(reply), device::command::kBeginTransaction);
    EXPECT_EQ(device::packetStatus(reply), 0);
}

// Replies that wait for the latency keep their order: the stray report comes first and is read
// past, then the real reply.
TEST_F(WireTest, DelayedRepliesArriveInOrder) {
    firmware().setLatencyMs(20);
    firmware().injectFault(FaultKind::StrayReport, device::command::kReadDeviceInfo);
    device::DeviceInfoRecord info;
    EXPECT_EQ(channel.readDeviceInfo(info), device::kResultOk);
    EXPECT_EQ(info, firmware().deviceInfo());
    firmware().setLatencyMs(0);
    EXPECT_EQ(channel.beginTransaction(), device::kResultOk) << "nothing stale was left behind";
}

TEST_F(WireTest, ANoReplyFaultTimesOutWithoutAReply) {
    firmware().injectFault(FaultKind::NoReply, device::command::kBeginTransaction);
    const auto begin = SteadyClock::now();
    EXPECT_EQ(channel.beginTransaction(), device::kResultNoReply);
    EXPECT_GE(msSince(begin), 900);
    EXPECT_EQ(channel.beginTransaction(), device::kResultOk);
}

TEST(WireChannel, AChannelThatCannotOpenItsPathSendsNothing) {
    emulator::EmulatedHidBus bus;
    test::NoPauseClock clock;
    device::DeviceCommandChannel channel(bus, clock);
    EXPECT_FALSE(channel.open(L"emulated/9/1#vid_0c45&pid_8501&mi_01&col04#emulated-device-9"));
    EXPECT_FALSE(channel.isOpen());
    EXPECT_EQ(channel.beginTransaction(), device::kResultNoReply);
    ASSERT_NE(channel.hidDevice(), nullptr);
    EXPECT_FALSE(channel.hidDevice()->IsOpen());
}

} // namespace
} // namespace morva
