#include "emulator/emulated_hid_bus.h"
#include "emulator/emulated_models.h"
#include "emulator/firmware_device.h"

#include <gtest/gtest.h>

namespace morva::emulator {
namespace {

using platform::HidIoResult;
using platform::HidOpenResult;

// A device that answers every output report on interface 1 with an input report echoing its
// fourth byte, as the command firmware will.
class EchoDevice final : public EmulatedHidDevice {
public:
    EchoDevice()
        : EmulatedHidDevice(0x0C45, 0x8501, 0x0100,
                            {{1, makeEmulatedKeyboard()->interfaces()[1].reportDescriptor}}) {}
    bool onOutputReport(int interfaceNumber, std::span<const uint8_t> report) override {
        std::vector<uint8_t> reply(64, 0);
        reply[0] = 0x04;
        reply[3] = report.size() > 3 ? report[3] : 0;
        queueInputReport(interfaceNumber, reply);
        return true;
    }
};

std::unique_ptr<platform::HidChannel> openNode(EmulatedHidBus& bus, const std::string& node) {
    std::unique_ptr<platform::HidChannel> channel;
    EXPECT_EQ(bus.open(node, "", {true, true, false}, channel), HidOpenResult::kOk);
    return channel;
}

TEST(EmulatedHidBus, DevicesAppearAndDisappearAtRunTime) {
    EmulatedHidBus bus;
    std::vector<platform::HidNodeInfo> nodes;
    ASSERT_TRUE(bus.enumerate(nodes));
    EXPECT_TRUE(nodes.empty());
    const auto keyboard = bus.plug(makeEmulatedKeyboard());
    const auto headset = bus.plug(makeEmulatedHeadset());
    ASSERT_TRUE(bus.enumerate(nodes));
    ASSERT_EQ(nodes.size(), 3u) << "two keyboard interfaces and the headset's";
    EXPECT_EQ(nodes[1].node, EmulatedHidBus::nodeName(keyboard, 1));
    EXPECT_EQ(nodes[1].vendorId, 0x0C45);
    EXPECT_EQ(nodes[2].interfaceNumber, 3);
    EXPECT_TRUE(bus.isPresent(nodes[2].node, nodes[2].instance));
    EXPECT_TRUE(bus.unplug(headset));
    EXPECT_FALSE(bus.unplug(headset));
    EXPECT_FALSE(bus.isPresent(nodes[2].node, nodes[2].instance));
    ASSERT_TRUE(bus.enumerate(nodes));
    EXPECT_EQ(nodes.size(), 2u);
    std::unique_ptr<platform::HidChannel> channel;
    EXPECT_EQ(bus.open(EmulatedHidBus::nodeName(headset, 3), "", {true, false, false}, channel),
              HidOpenResult::kNotFound);
    EXPECT_EQ(bus.open("emulated/x/1", "", {true, false, false}, channel),
              HidOpenResult::kNotFound);
}

TEST(EmulatedHidBus, AnOutputReportReachesTheDeviceWhichCanAnswerIt) {
    EmulatedHidBus bus;
    auto device = std::make_shared<EchoDevice>();
    const auto id = bus.plug(device);
    auto channel = openNode(bus, EmulatedHidBus::nodeName(id, 1));
    std::vector<uint8_t> request(64, 0);
    request[0] = 0x04;
    request[3] = 0xAA;
    size_t sent = 0;
    ASSERT_EQ(channel->write(request, 100, sent), HidIoResult::kOk);
    EXPECT_EQ(device->outputReportCount(), 1u);
    uint8_t reply[64] = {};
    size_t got = 0;
    ASSERT_EQ(channel->read(reply, 100, got), HidIoResult::kOk);
    EXPECT_EQ(got, 64u);
    EXPECT_EQ(reply[3], 0xAA);
    EXPECT_TRUE(channel->setOutputReport(request));
    EXPECT_EQ(device->outputReportCount(), 2u);
}

// A firmware-backed keyboard on simulated time whose reply to a Begin comes `delayMs` late.
struct LateKeyboard {
    explicit LateKeyboard(uint32_t delayMs) {
        time = &bus.useSimulatedTime();
        keyboard->firmware().injectFault(FaultKind::Late, 0x01, 1, delayMs);
        channel = openNode(bus, EmulatedHidBus::nodeName(plugFirmwareDevice(bus, keyboard), 1));
        std::vector<uint8_t> begin(64, 0);
        begin[0] = 0x04;
        begin[1] = 0x01;
        begin[3] = 0x01;
        size_t sent = 0;
        EXPECT_EQ(channel->write(begin, 1000, sent), HidIoResult::kOk);
    }
    HidIoResult read(int timeoutMs) {
        uint8_t reply[64] = {};
        size_t got = 0;
        return channel->read(reply, timeoutMs, got);
    }
    EmulatedHidBus bus;
    SimulatedTime* time = nullptr;
    std::shared_ptr<FirmwareHidDevice> keyboard = makeEmulatedKeyboard();
    std::unique_ptr<platform::HidChannel> channel;
};

// On simulated time a read never waits: a reply due within the time-out arrives with the clock
// moved to it, one due later times out with the clock moved by the whole time-out.
TEST(EmulatedHidBus, OnSimulatedTimeAReplyComesOnlyWhenItIsDueWithinTheTimeOut) {
    const struct {
        uint32_t delayMs;
        int timeoutMs;
        HidIoResult result;
        uint64_t nowMs;
    } cases[] = {
        {0, 1000, HidIoResult::kOk, 0},
        {999, 1000, HidIoResult::kOk, 999},
        {1000, 1000, HidIoResult::kOk, 1000},
        {1001, 1000, HidIoResult::kTimedOut, 1000},
    };
    for (const auto& c : cases) {
        LateKeyboard late(c.delayMs);
        EXPECT_EQ(late.read(c.timeoutMs), c.result) << c.delayMs;
        EXPECT_EQ(late.time->nowMs(), c.nowMs) << c.delayMs;
    }
}

TEST(EmulatedHidBus, OnSimulatedTimeAnIdleReadTimesOutWithoutMovingTheClock) {
    LateKeyboard late(1001);
    // The keyboard's other interface has nothing on its way: its reader times out at once and
    // does not bring the late reply forward.
    auto other = openNode(late.bus, EmulatedHidBus::nodeName(1, 0));
    ASSERT_NE(other, nullptr);
    uint8_t report[64] = {};
    size_t got = 0;
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(other->read(report, 100, got), HidIoResult::kTimedOut);
    }
    EXPECT_EQ(late.time->nowMs(), 0u);
    EXPECT_EQ(late.read(1000), HidIoResult::kTimedOut);
}

TEST(EmulatedHidBus, OnSimulatedTimeAReplyTooLateForOneReadComesWithTheNext) {
    LateKeyboard late(1500);
    EXPECT_EQ(late.read(1000), HidIoResult::kTimedOut);
    EXPECT_EQ(late.read(1000), HidIoResult::kOk);
    EXPECT_EQ(late.time->nowMs(), 1500u);
    EXPECT_EQ(late.read(1000), HidIoResult::kTimedOut) << "a silent device times out at once";
    EXPECT_EQ(late.time->nowMs(), 1500u) << "with nothing on its way, no time passes";
}

TEST(EmulatedHidBus, EveryOpenChannelGetsEachInputReportAndNoneIsKeptForLaterOpens) {
    EmulatedHidBus bus;
    auto keyboard = makeEmulatedKeyboard();
    const auto id = bus.plug(keyboard);
    keyboard->queueInputReport(1, std::vector<uint8_t>{0x03, 1, 4, 0, 0}); // nobody listens
    auto first = openNode(bus, EmulatedHidBus::nodeName(id, 1));
    auto second = openNode(bus, EmulatedHidBus::nodeName(id, 1));
    auto other = openNode(bus, EmulatedHidBus::nodeName(id, 0));
    keyboard->queueInputReport(1, std::vector<uint8_t>{0x03, 2, 4, 0, 0});
    for (auto* channel : {first.get(), second.get()}) {
        uint8_t buffer[8] = {};
        size_t got = 0;
        ASSERT_EQ(channel->read(buffer, 100, got), HidIoResult::kOk);
        EXPECT_EQ(buffer[1], 2) << "the report sent before the open is lost";
        EXPECT_EQ(channel->read(buffer, 0, got), HidIoResult::kTimedOut);
    }
    uint8_t buffer[8];
    size_t got = 0;
    EXPECT_EQ(other->read(buffer, 0, got), HidIoResult::kTimedOut) << "another interface";
}

TEST(EmulatedHidBus, UnplugEndsTheOpenChannels) {
    EmulatedHidBus bus;
    const auto id = bus.plug(makeEmulatedMouse());
    auto channel = openNode(bus, EmulatedHidBus::nodeName(id, 1));
    bus.unplug(id);
    uint8_t buffer[8];
    size_t n = 0;
    EXPECT_EQ(channel->read(buffer, platform::kHidInfiniteTimeout, n), HidIoResult::kDisconnected);
    const uint8_t report[] = {0x04, 1};
    EXPECT_EQ(channel->write(report, 100, n), HidIoResult::kDisconnected);
}

TEST(EmulatedHidBus, AFailingEnumerationCanBeSwitchedOnAndOff) {
    EmulatedHidBus bus;
    bus.plug(makeEmulatedKeyboard());
    std::vector<platform::HidNodeInfo> nodes;
    bus.setEnumerationFails(true);
    EXPECT_FALSE(bus.enumerate(nodes));
    EXPECT_TRUE(nodes.empty());
    bus.setEnumerationFails(false);
    EXPECT_TRUE(bus.enumerate(nodes));
    EXPECT_EQ(nodes.size(), 2u);
}

} // namespace
} // namespace morva::emulator
