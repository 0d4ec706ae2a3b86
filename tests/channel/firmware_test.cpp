#include "emulator/firmware/command_firmware.h"
#include "emulator/firmware/direct_transport.h"
#include "emulator/firmware/headset_firmware.h"
#include "emulator/firmware/keyboard_firmware.h"
#include "emulator/firmware/mouse_firmware.h"
#include "emulator/firmware/mouse_pad_firmware.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>
#include <vector>

namespace morva::emulator {
namespace {

std::vector<uint8_t> pattern(size_t size, uint8_t start) {
    std::vector<uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), start);
    return bytes;
}

device::CommandPacket onlyReply(const FirmwareResponse& response) {
    EXPECT_TRUE(response.accepted);
    EXPECT_EQ(response.replyCount, 1u);
    return response.replies[0];
}

TEST(FirmwareDefaults, EachTypeDescribesItselfInItsDeviceInformation) {
    const struct {
        const char* name;
        std::function<std::unique_ptr<CommandFirmware>()> make;
        uint8_t keys;
        uint8_t macroUnits;
        uint8_t dpiPerStep;
        uint16_t dpiSteps;
        uint16_t lowestDpi;
    } cases[] = {
        {"keyboard", [] { return std::make_unique<KeyboardFirmware>(); }, 126, 32, 0, 0, 0},
        {"mouse", [] { return std::make_unique<MouseFirmware>(); }, 10, 16, 50, 320, 100},
        {"wireless mouse", [] { return std::make_unique<WirelessMouseFirmware>(); }, 10, 16, 50,
         320, 100},
        {"mouse pad", [] { return std::make_unique<MousePadFirmware>(); }, 0, 0, 0, 0, 0},
        {"headset", [] { return std::make_unique<HeadsetFirmware>(); }, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        auto firmware = c.make();
        const device::CommandPacket reply = onlyReply(
            firmware->handleRequest(device::buildRequest(device::command::kReadDeviceInfo, 34, 0)));
        const device::DeviceInfoRecord info = device::DeviceInfoRecord::fromBytes(
            device::packetData(reply).first<device::DeviceInfoRecord::kSize>());
        EXPECT_EQ(info.keyCount(), c.keys) << c.name;
        EXPECT_EQ(info.macroMemoryUnits(), c.macroUnits) << c.name;
        EXPECT_EQ(info.dpiPerStep(), c.dpiPerStep) << c.name;
        EXPECT_EQ(info.dpiSteps(), c.dpiSteps) << c.name;
        EXPECT_EQ(info.lowestDpi(), c.lowestDpi) << c.name;
        EXPECT_EQ(firmware->keyTable().size(), size_t{c.keys} * 3) << c.name;
        EXPECT_EQ(firmware->macroMemory().size(), size_t{c.macroUnits} * 128) << c.name;
        EXPECT_EQ(firmware->status().size(), 6u) << c.name;
    }
}

TEST(FirmwareDefaults, KeyCountIsConfigurable) {
    FirmwareConfig config = KeyboardFirmware::defaultConfig();
    config.keyCount = 110;
    KeyboardFirmware firmware(config);
    EXPECT_EQ(firmware.deviceInfo().keyCount(), 110);
    EXPECT_EQ(firmware.keyTable().size(), 330u);
    EXPECT_EQ(firmware.ledIndexTable().size(), 110u);
}

TEST(FirmwareDefaults, KeyTablesHoldTheFactoryCodes) {
    KeyboardFirmware keyboard;
    const auto key = [&](size_t k) {
        return std::vector<uint8_t>(keyboard.keyTable().begin() + static_cast<long>(k * 3),
                                    keyboard.keyTable().begin() + static_cast<long>(k * 3 + 3));
    };
    EXPECT_EQ(key(0), (std::vector<uint8_t>{0x20, 0x00, 0x29}));
    EXPECT_EQ(key(15), (std::vector<uint8_t>{0x20, 0x00, 0x48}));
    EXPECT_EQ(key(19), (std::vector<uint8_t>{0x20, 0x00, 0x00}));
    EXPECT_EQ(key(31), (std::vector<uint8_t>{0x20, 0x00, 0x27}));
    EXPECT_EQ(key(110), (std::vector<uint8_t>{0xA0, 0x01, 0x00}));
    EXPECT_EQ(key(124), (std::vector<uint8_t>{0xD0, 0xA2, 0x05}));
    EXPECT_EQ(key(125), (std::vector<uint8_t>{0x20, 0x80, 0x00}));
    EXPECT_EQ(keyboard.ledIndexTable()[77], 77);

    MouseFirmware mouse;
    EXPECT_EQ(std::vector<uint8_t>(mouse.keyTable().begin() + 27, mouse.keyTable().end()),
              (std::vector<uint8_t>{0x16, 0x90, 0x01}));
}

TEST(FirmwareMemory, SettingsBlocksSitAtTheStridesOfEachType) {
    const struct {
        const char* name;
        std::function<std::unique_ptr<CommandFirmware>()> make;
        uint16_t readOffsetOfProfile1;
        size_t readLength;
        uint16_t writeOffsetOfProfile1;
        size_t writeLength;
    } cases[] = {
        {"keyboard", [] { return std::make_unique<KeyboardFirmware>(); }, 26, 30, 26, 30},
        {"mouse", [] { return std::make_unique<MouseFirmware>(); }, 128, 71, 128, 66},
        {"mouse pad", [] { return std::make_unique<MousePadFirmware>(); }, 26, 30, 64, 21},
        {"headset", [] { return std::make_unique<HeadsetFirmware>(); }, 26, 30, 64, 21},
    };
    for (const auto& c : cases) {
        auto firmware = c.make();
        const std::vector<uint8_t> block = pattern(c.writeLength, 1);
        for (size_t p = 0; p < block.size(); p += device::kChunkSize) {
            const size_t n = std::min(device::kChunkSize, block.size() - p);
            const auto request =
                device::buildRequest(device::command::kWriteSettings, static_cast<uint8_t>(n),
                                     static_cast<uint16_t>(c.writeOffsetOfProfile1 + p),
                                     std::span<const uint8_t>(block).subspan(p, n));
            EXPECT_EQ(device::packetStatus(onlyReply(firmware->handleRequest(request))), kStatusOk)
                << c.name;
        }
        const std::span<uint8_t> written = firmware->writtenSettingsBlock(1);
        EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), block) << c.name;
        const std::span<uint8_t> read = firmware->settingsBlock(1);
        EXPECT_EQ(read.size(), c.readLength) << c.name;
        EXPECT_EQ(read.data() - firmware->settingsMemory().data(), c.readOffsetOfProfile1)
            << c.name;
    }
}

TEST(FirmwareMemory, ReadsReturnTheRequestedSliceWithEchoLengthAndOffset) {
    MousePadFirmware pad;
    const std::vector<uint8_t> status = {100, 1, 0, 0, 9, 2};
    std::copy(status.begin(), status.end(), pad.status().begin());

    const device::CommandPacket reply =
        onlyReply(pad.handleRequest(device::buildRequest(device::command::kReadStatus, 4, 2)));

    EXPECT_EQ(device::packetCommand(reply), device::command::kReadStatus);
    EXPECT_EQ(device::packetChunkLength(reply), 4);
    EXPECT_EQ(device::packetOffset(reply), 2);
    EXPECT_EQ(device::packetStatus(reply), kStatusOk);
    EXPECT_EQ(std::vector<uint8_t>(reply.begin() + 8, reply.begin() + 13),
              (std::vector<uint8_t>{0, 0, 9, 2, 0}));
}

TEST(FirmwareMemory, LightPagesLiveAtPageTimesPageSize) {
    KeyboardFirmware keyboard;
    const std::vector<uint8_t> colours = pattern(56, 0x40);
    keyboard.handleRequest(
        device::buildRequest(device::command::kWriteLightFrame, 56, 2 * 512 + 56, colours));
    const std::span<uint8_t> page = keyboard.lightPage(2);
    EXPECT_EQ(std::vector<uint8_t>(page.begin() + 56, page.begin() + 112), colours);
    EXPECT_EQ(page[0], 0);
    EXPECT_EQ(keyboard.lightPage(1)[56], 0);
}

TEST(FirmwareMemory, LiveFramesAreAssembledFromTheirChunks) {
    KeyboardFirmware keyboard;
    const std::vector<uint8_t> frame = pattern(378, 0);
    for (size_t p = 0; p < frame.size(); p += device::kChunkSize) {
        const size_t n = std::min(device::kChunkSize, frame.size() - p);
        keyboard.handleRequest(device::buildRequest(
            device::command::kLiveLightFrame, static_cast<uint8_t>(n), static_cast<uint16_t>(p),
            std::span<const uint8_t>(frame).subspan(p, n)));
    }
    EXPECT_EQ(keyboard.liveFramesReceived(), 1u);
    EXPECT_EQ(
        std::vector<uint8_t>(keyboard.lastLiveFrame().begin(), keyboard.lastLiveFrame().end()),
        frame);

    const std::vector<uint8_t> small = {9, 9, 9};
    keyboard.handleRequest(device::buildRequest(device::command::kLiveLightFrame, 3, 0, small));
    EXPECT_EQ(keyboard.liveFramesReceived(), 2u);
    EXPECT_EQ(
        std::vector<uint8_t>(keyboard.lastLiveFrame().begin(), keyboard.lastLiveFrame().end()),
        small);
}

TEST(FirmwareMemory, TransactionsAreCounted) {
    KeyboardFirmware keyboard;
    keyboard.handleRequest(device::buildSimpleRequest(device::command::kBeginTransaction));
    EXPECT_TRUE(keyboard.inTransaction());
    keyboard.handleRequest(device::buildSimpleRequest(device::command::kEndTransaction));
    EXPECT_FALSE(keyboard.inTransaction());
    EXPECT_EQ(keyboard.transactionsBegun(), 1u);
    EXPECT_EQ(keyboard.transactionsEnded(), 1u);
}

TEST(FirmwareRefusal, BadRequestsAreAnsweredWithFFAndChangeNothing) {
    const std::vector<uint8_t> data(56, 0x77);
    device::CommandPacket badChecksum =
        device::buildRequest(device::command::kWriteKeyTable, 56, 0, data);
    badChecksum[1] ^= 0x01;
    device::CommandPacket badReportId =
        device::buildRequest(device::command::kWriteKeyTable, 56, 0, data);
    badReportId[0] = 0x05;
    device::CommandPacket tooLong =
        device::buildRequest(device::command::kWriteKeyTable, 56, 0, data);
    tooLong[4] = 57;
    device::sealPacket(tooLong);
    const struct {
        const char* name;
        device::CommandPacket request;
        size_t malformed;
    } cases[] = {
        {"bad checksum", badChecksum, 1},
        {"bad report id", badReportId, 1},
        {"chunk longer than 56", tooLong, 1},
        {"past the end of the key table",
         device::buildRequest(device::command::kWriteKeyTable, 56, 360, data), 0},
        {"unknown command", device::buildRequest(0x42, 0, 0), 0},
        {"LED table of a mouse", device::buildRequest(device::command::kReadLedIndexTable, 10, 0),
         0},
        {"link check to a wired device", device::buildSimpleRequest(device::command::kLinkCheck),
         0},
    };
    for (const auto& c : cases) {
        KeyboardFirmware keyboard;
        MouseFirmware mouse;
        CommandFirmware& firmware =
            device::packetCommand(c.request) == device::command::kReadLedIndexTable
                ? static_cast<CommandFirmware&>(mouse)
                : static_cast<CommandFirmware&>(keyboard);
        const std::vector<uint8_t> before(firmware.keyTable().begin(), firmware.keyTable().end());
        const device::CommandPacket reply = onlyReply(firmware.handleRequest(c.request));
        EXPECT_EQ(device::packetCommand(reply), device::packetCommand(c.request)) << c.name;
        EXPECT_EQ(device::packetStatus(reply), device::kStatusFailedFF) << c.name;
        EXPECT_EQ(std::vector<uint8_t>(firmware.keyTable().begin(), firmware.keyTable().end()),
                  before)
            << c.name;
        EXPECT_EQ(firmware.malformedRequests(), c.malformed) << c.name;
    }
}

// The gun-key image is taken only in 56-byte chunks from offset 0, each right after the one
// before, the last one shorter.
TEST(FirmwareGunKeys, TakeOnlyContiguousChunksOfFiftySixBytes) {
    struct Chunk {
        uint16_t offset;
        uint8_t length;
    };
    constexpr uint8_t kFF = device::kStatusFailedFF;
    const struct {
        const char* name;
        std::vector<Chunk> chunks;
        std::vector<uint8_t> statuses;
    } cases[] = {
        {"full chunks and a short last one", {{0, 56}, {56, 56}, {112, 20}}, {0, 0, 0}},
        {"a gap", {{0, 56}, {120, 56}}, {0, kFF}},
        {"an overlap", {{0, 56}, {40, 56}}, {0, kFF}},
        {"a short chunk before others", {{0, 40}, {40, 56}}, {0, kFF}},
        {"after the last chunk", {{0, 56}, {56, 8}, {64, 8}}, {0, 0, kFF}},
        {"a first chunk not at 0", {{56, 56}}, {kFF}},
        {"a refused chunk ends the image", {{0, 56}, {100, 56}, {56, 56}}, {0, kFF, kFF}},
        {"a new image from 0", {{0, 56}, {56, 10}, {0, 56}, {56, 56}}, {0, 0, 0, 0}},
        {"longer than 56", {{0, 57}}, {kFF}},
    };
    for (const auto& c : cases) {
        MouseFirmware mouse;
        std::vector<uint8_t> statuses;
        for (const Chunk& chunk : c.chunks) {
            const std::vector<uint8_t> data(56, static_cast<uint8_t>(chunk.offset + 1));
            device::CommandPacket request = device::buildRequest(device::command::kWriteGunKeyData,
                                                                 chunk.length, chunk.offset, data);
            request[device::packet_byte::kChunkLength] = chunk.length;
            device::sealPacket(request);
            const std::vector<uint8_t> before(mouse.gunKeyMemory().begin(),
                                              mouse.gunKeyMemory().end());
            const uint8_t status = device::packetStatus(onlyReply(mouse.handleRequest(request)));
            statuses.push_back(status);
            if (status != kStatusOk) {
                EXPECT_EQ(
                    std::vector<uint8_t>(mouse.gunKeyMemory().begin(), mouse.gunKeyMemory().end()),
                    before)
                    << c.name << ": a refused chunk is not stored";
            }
        }
        EXPECT_EQ(statuses, c.statuses) << c.name;
    }
}

TEST(FirmwareFaults, EachFaultShapesTheResponseToItsRequest) {
    const std::vector<uint8_t> data(56, 0x5A);
    const auto request = device::buildRequest(device::command::kWriteKeyTable, 56, 0, data);
    const uint8_t wrongEcho = static_cast<uint8_t>(~device::command::kWriteKeyTable);
    const struct {
        FaultKind kind;
        bool accepted;
        std::vector<uint8_t> echoes; // of each reply, in order
        uint8_t lastStatus;
        bool stored;
        bool plugged;
    } cases[] = {
        {FaultKind::NoReply, true, {}, 0, false, true},
        {FaultKind::WrongEcho, true, {wrongEcho}, kStatusOk, true, true},
        {FaultKind::StrayReport,
         true,
         {wrongEcho, device::command::kWriteKeyTable},
         kStatusOk,
         true,
         true},
        {FaultKind::StatusFF,
         true,
         {device::command::kWriteKeyTable},
         device::kStatusFailedFF,
         false,
         true},
        {FaultKind::StatusFE,
         true,
         {device::command::kWriteKeyTable},
         device::kStatusFailedFE,
         false,
         true},
        {FaultKind::WriteFails, false, {}, 0, false, true},
        {FaultKind::Unplug, false, {}, 0, false, false},
    };
    for (const auto& c : cases) {
        KeyboardFirmware keyboard;
        bool unplugSeen = false;
        keyboard.setUnplugCallback([&] { unplugSeen = true; });
        keyboard.injectFault(c.kind, device::command::kWriteKeyTable);

        const FirmwareResponse response = keyboard.handleRequest(request);

        const int kind = static_cast<int>(c.kind);
        EXPECT_EQ(response.accepted, c.accepted) << kind;
        ASSERT_EQ(response.replyCount, c.echoes.size()) << kind;
        for (size_t i = 0; i < c.echoes.size(); ++i) {
            EXPECT_EQ(device::packetCommand(response.replies[i]), c.echoes[i]) << kind;
        }
        if (!c.echoes.empty()) {
            EXPECT_EQ(device::packetStatus(response.replies[response.replyCount - 1]), c.lastStatus)
                << kind;
        }
        EXPECT_EQ(keyboard.keyTable()[0] == 0x5A, c.stored) << kind;
        EXPECT_EQ(keyboard.isPlugged(), c.plugged) << kind;
        EXPECT_EQ(unplugSeen, !c.plugged) << kind;

        // Faults fire once: the same request is then served normally, unless the device is gone.
        const FirmwareResponse again = keyboard.handleRequest(request);
        EXPECT_EQ(again.accepted, c.plugged) << kind;
        EXPECT_EQ(again.replyCount, c.plugged ? 1u : 0u) << kind;
    }
}

TEST(FirmwareFaults, AFaultWaitsForTheNthRequestOfItsCommand) {
    KeyboardFirmware keyboard;
    keyboard.injectFault(FaultKind::StatusFE, device::command::kWriteKeyTable, 3);
    const std::vector<uint8_t> data(56, 1);
    std::vector<uint8_t> statuses;
    for (int i = 0; i < 4; ++i) {
        keyboard.handleRequest(device::buildSimpleRequest(device::command::kBeginTransaction));
        const auto reply = onlyReply(keyboard.handleRequest(device::buildRequest(
            device::command::kWriteKeyTable, 56, static_cast<uint16_t>(i * 56), data)));
        statuses.push_back(device::packetStatus(reply));
    }
    EXPECT_EQ(statuses,
              (std::vector<uint8_t>{kStatusOk, kStatusOk, device::kStatusFailedFE, kStatusOk}));
}

TEST(FirmwareFaults, ASilentDeviceStoresNothingAndAnswersNothing) {
    KeyboardFirmware keyboard;
    keyboard.setSilent(true);
    const FirmwareResponse response =
        keyboard.handleRequest(device::buildSimpleRequest(device::command::kBeginTransaction));
    EXPECT_TRUE(response.accepted);
    EXPECT_EQ(response.replyCount, 0u);
    EXPECT_FALSE(keyboard.inTransaction());
    EXPECT_EQ(keyboard.requests().size(), 1u);
}

TEST(WirelessMouse, TheReceiverAnswersOnlyTheLinkCheckWhileTheMouseIsAway) {
    WirelessMouseFirmware mouse;
    const auto linkByte = [&] {
        return onlyReply(
            mouse.handleRequest(device::buildSimpleRequest(device::command::kLinkCheck)))[8];
    };
    EXPECT_EQ(linkByte(), 0xFF);
    EXPECT_EQ(mouse.handleRequest(device::buildSimpleRequest(device::command::kBeginTransaction))
                  .replyCount,
              1u);

    mouse.setLinked(false);
    EXPECT_EQ(linkByte(), 0x00);
    EXPECT_EQ(mouse.handleRequest(device::buildSimpleRequest(device::command::kBeginTransaction))
                  .replyCount,
              0u);
}

TEST(ConsumerReports, CarryTheEventCodeLowByteFirst) {
    FirmwareConfig config = KeyboardFirmware::defaultConfig();
    config.consumerReportId = 0x02;
    KeyboardFirmware keyboard(config);
    keyboard.sendSynchronisationRequest();
    keyboard.sendKeyDown(5);
    keyboard.sendKeyUp(200);
    EXPECT_EQ(
        keyboard.takeConsumerReports(),
        (std::vector<ConsumerReport>{{0x02, 0x01, 0x04}, {0x02, 0x05, 0x05}, {0x02, 0xC8, 0x06}}));
    EXPECT_TRUE(keyboard.takeConsumerReports().empty());

    std::vector<ConsumerReport> sunk;
    keyboard.setConsumerSink([&](const ConsumerReport& report) { sunk.push_back(report); });
    keyboard.sendKeyDown(0);
    EXPECT_EQ(sunk, (std::vector<ConsumerReport>{{0x02, 0x00, 0x05}}));
    EXPECT_TRUE(keyboard.takeConsumerReports().empty());
}

TEST(HeadsetLighting, TwelveReportsSetEveryLedOfBothTargets) {
    HeadsetFirmware headset;
    const uint8_t blocks[] = {0xAA, 0xAD, 0xAB, 0xAE, 0xAC, 0xAF};
    for (uint8_t block : blocks) {
        for (uint8_t target : HeadsetFirmware::kTargets) {
            std::array<uint8_t, 17> report{};
            report[0] = 0xFF;
            report[1] = target;
            report[2] = block;
            for (size_t i = 0; i < 7; ++i) {
                report[4 + i] = static_cast<uint8_t>(block + i + (target == 0x44 ? 1 : 0));
            }
            EXPECT_TRUE(headset.receiveOutputReport(report).accepted);
        }
    }
    EXPECT_EQ(headset.lightingReportsReceived(), 12u);
    EXPECT_EQ(headset.ledColour(0x22, 0), (HeadsetFirmware::Rgb{0xAA, 0xAB, 0xAC}));
    EXPECT_EQ(headset.ledColour(0x22, 6), (HeadsetFirmware::Rgb{0xB0, 0xB1, 0xB2}));
    EXPECT_EQ(headset.ledColour(0x22, 7), (HeadsetFirmware::Rgb{0xAD, 0xAE, 0xAF}));
    EXPECT_EQ(headset.ledColour(0x44, 12), (HeadsetFirmware::Rgb{0xB3, 0xB4, 0xB5}));
}

TEST(HeadsetLighting, ReportsOfAnotherShapeAreRejected) {
    HeadsetFirmware headset;
    std::array<uint8_t, 17> wrongTarget{0xFF, 0x33, 0xAA};
    std::array<uint8_t, 17> wrongBlock{0xFF, 0x22, 0xB0};
    std::array<uint8_t, 16> tooShort{0xFF, 0x22, 0xAA};
    headset.receiveOutputReport(wrongTarget);
    headset.receiveOutputReport(wrongBlock);
    headset.receiveOutputReport(tooShort);
    EXPECT_EQ(headset.rejectedReports(), 3u);
    EXPECT_EQ(headset.lightingReportsReceived(), 0u);
}

TEST(DirectTransport, LatencyBeyondTheTimeOutLosesTheReplyForThatRead) {
    const struct {
        uint32_t latency;
        uint32_t timeout;
        bool arrives;
        uint64_t simulated;
    } cases[] = {{0, 1000, true, 0},
                 {200, 1000, true, 200},
                 {1000, 1000, true, 1000},
                 {1200, 1000, false, 1000},
                 {1200, 5000, true, 1200}};
    for (const auto& c : cases) {
        KeyboardFirmware keyboard;
        keyboard.setLatencyMs(c.latency);
        DirectFirmwareTransport transport(keyboard);
        device::CommandPacket reply{};
        ASSERT_TRUE(transport.writeReport(
            device::buildSimpleRequest(device::command::kBeginTransaction), c.timeout));
        EXPECT_EQ(transport.readReport(reply, c.timeout), c.arrives) << c.latency;
        EXPECT_EQ(transport.simulatedMs(), c.simulated) << c.latency;
    }
}

TEST(DirectTransport, AnUnpluggedDeviceFailsEveryTransfer) {
    KeyboardFirmware keyboard;
    DirectFirmwareTransport transport(keyboard);
    keyboard.injectFault(FaultKind::Unplug);
    device::CommandPacket reply{};
    EXPECT_FALSE(transport.writeReport(
        device::buildSimpleRequest(device::command::kBeginTransaction), 1000));
    EXPECT_FALSE(transport.readReport(reply, 1000));
    EXPECT_EQ(transport.transfers().back().outcome, DirectFirmwareTransport::Outcome::Failed);
    keyboard.plugIn();
    EXPECT_TRUE(transport.writeReport(
        device::buildSimpleRequest(device::command::kBeginTransaction), 1000));
    EXPECT_TRUE(transport.readReport(reply, 1000));
}

} // namespace
} // namespace morva::emulator
