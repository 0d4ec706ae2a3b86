#include "device/command_packet.h"
#include "device/device_info_record.h"

#include <gtest/gtest.h>
#include <vector>

namespace morva {
namespace {

device::CommandPacket packetWithHead(std::initializer_list<uint8_t> head) {
    device::CommandPacket packet{};
    std::copy(head.begin(), head.end(), packet.begin());
    return packet;
}

TEST(CommandPacket, CommandsWithoutPayloadAreCommandAndChecksumOnly) {
    EXPECT_EQ(device::buildSimpleRequest(device::command::kBeginTransaction),
              packetWithHead({0x04, 0x01, 0x00, 0x01}));
    EXPECT_EQ(device::buildSimpleRequest(device::command::kEndTransaction),
              packetWithHead({0x04, 0x02, 0x00, 0x02}));
    EXPECT_EQ(device::buildSimpleRequest(device::command::kLinkCheck),
              packetWithHead({0x04, 0xAA, 0x00, 0xAA}));
}

TEST(CommandPacket, WriteRequestCarriesLengthOffsetDataAndTheirSum) {
    const std::vector<uint8_t> data(56, 0xFF);
    const device::CommandPacket packet =
        device::buildRequest(device::command::kWriteSettings, 56, 0x0102, data);

    // 0x06 + 56 + 0x02 + 0x01 + 56 × 0xFF = 14345 = 0x3809
    device::CommandPacket expected = packetWithHead({0x04, 0x09, 0x38, 0x06, 56, 0x02, 0x01, 0x00});
    std::fill(expected.begin() + 8, expected.end(), 0xFF);
    EXPECT_EQ(packet, expected);
    EXPECT_TRUE(device::hasValidChecksum(packet));
}

TEST(CommandPacket, ReadRequestHasLengthButNoData) {
    const device::CommandPacket packet =
        device::buildRequest(device::command::kReadDeviceInfo, 34, 0);
    EXPECT_EQ(packet, packetWithHead({0x04, 0x25, 0x00, 0x03, 34}));
}

TEST(CommandPacket, ShortDataIsPaddedWithZeros) {
    const std::vector<uint8_t> data = {0xAA, 0x55, 0x3C};
    const device::CommandPacket packet =
        device::buildRequest(device::command::kWriteMacroImage, 3, 0, data);
    EXPECT_EQ(packet,
              packetWithHead({0x04, 0x53, 0x01, 0x15, 0x03, 0x00, 0x00, 0x00, 0xAA, 0x55, 0x3C}));
}

TEST(CommandPacket, AnyChangedByteAfterTheChecksumBreaksIt) {
    device::CommandPacket packet =
        device::buildRequest(device::command::kWriteKeyTable, 56, 280, std::vector<uint8_t>(56, 7));
    for (size_t i = 3; i < device::kPacketSize; ++i) {
        device::CommandPacket changed = packet;
        ++changed[i];
        EXPECT_FALSE(device::hasValidChecksum(changed)) << "byte " << i;
    }
    packet[0] = 0x05; // the report id is not summed
    EXPECT_TRUE(device::hasValidChecksum(packet));
}

TEST(CommandPacket, FieldAccessorsReadWhatTheBuilderWrote) {
    const std::vector<uint8_t> data = {1, 2, 3, 4};
    const device::CommandPacket packet =
        device::buildRequest(device::command::kWriteLightFrame, 4, 0x0A00, data);
    EXPECT_EQ(device::packetCommand(packet), device::command::kWriteLightFrame);
    EXPECT_EQ(device::packetChunkLength(packet), 4);
    EXPECT_EQ(device::packetOffset(packet), 0x0A00);
    EXPECT_EQ(device::packetStatus(packet), 0);
    EXPECT_EQ(device::packetData(packet)[3], 4);
}

TEST(ReplyStatus, OnlyFFAndFEAreFailures) {
    const struct {
        uint8_t status;
        int result;
    } cases[] = {{0x00, device::kResultOk},       {0x01, device::kResultOk},
                 {0x7F, device::kResultOk},       {0xFD, device::kResultOk},
                 {0xFE, device::kResultStatusFE}, {0xFF, device::kResultStatusFF}};
    for (const auto& c : cases) {
        EXPECT_EQ(device::statusResult(c.status), c.result) << int{c.status};
    }
}

TEST(ReplyStatus, LinkCheckNeedsAReplyAGoodStatusAndFFInByte8) {
    const struct {
        int exchange;
        uint8_t status;
        uint8_t byte8;
        bool linked;
    } cases[] = {
        {device::kResultOk, 0x00, 0xFF, true},          {device::kResultOk, 0x00, 0x00, false},
        {device::kResultOk, 0x00, 0xFE, false},         {device::kResultOk, 0xFF, 0xFF, false},
        {device::kResultOk, 0xFE, 0xFF, false},         {device::kResultNoReply, 0x00, 0xFF, false},
        {device::kResultWriteFailed, 0x00, 0xFF, false}};
    for (const auto& c : cases) {
        device::CommandPacket reply =
            packetWithHead({0x04, 0, 0, 0xAA, 0, 0, 0, c.status, c.byte8});
        EXPECT_EQ(device::linkCheckPassed(c.exchange, reply), c.linked)
            << c.exchange << " " << int{c.status} << " " << int{c.byte8};
    }
}

TEST(ChunkPlan, PayloadsAreCutInto56ByteChunksWithRunningOffsets) {
    const struct {
        size_t total;
        uint16_t base;
        std::vector<device::Chunk> chunks;
    } cases[] = {
        {0, 0, {}},
        {34, 0, {{0, 0, 34}}},
        {56, 0, {{0, 0, 56}}},
        {57, 0, {{0, 0, 56}, {56, 56, 1}}},
        {330,
         0,
         {{0, 0, 56},
          {56, 56, 56},
          {112, 112, 56},
          {168, 168, 56},
          {224, 224, 56},
          {280, 280, 50}}},
        {30, 52, {{0, 52, 30}}},
        {66, 256, {{0, 256, 56}, {56, 312, 10}}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(device::chunkCount(c.total), c.chunks.size()) << c.total;
        for (size_t i = 0; i < c.chunks.size(); ++i) {
            EXPECT_EQ(device::chunkAt(c.total, c.base, i), c.chunks[i])
                << c.total << " chunk " << i;
        }
    }
}

TEST(ChunkPlan, OffsetsMustFitSixteenBits) {
    EXPECT_TRUE(device::offsetsFit(0, 0xFFFF));
    EXPECT_TRUE(device::offsetsFit(56, 0xFFFF));
    EXPECT_FALSE(device::offsetsFit(57, 0xFFFF));
    EXPECT_TRUE(device::offsetsFit(512, 0xFFFF - 504));
    EXPECT_FALSE(device::offsetsFit(512, 0xFFFF - 503));
}

TEST(DeviceInfoRecordTest, InterpretsKeysMacroMemoryAndDpiBytes) {
    std::array<uint8_t, device::DeviceInfoRecord::kSize> raw{};
    raw[0] = 0x11;
    raw[5] = 110;
    raw[6] = 24;
    raw[11] = 50;
    raw[12] = 0x40; // 320 steps
    raw[13] = 0x01;
    raw[14] = 0x64; // lowest 100
    raw[15] = 0x00;
    raw[33] = 0x99;

    const device::DeviceInfoRecord info = device::DeviceInfoRecord::fromBytes(raw);

    EXPECT_EQ(info.keyCount(), 110);
    EXPECT_EQ(info.keyTableBytes(), 330u);
    EXPECT_EQ(info.macroMemoryUnits(), 24);
    EXPECT_EQ(info.macroMemoryBytes(), 3072u);
    EXPECT_EQ(info.dpiPerStep(), 50);
    EXPECT_EQ(info.dpiSteps(), 320);
    EXPECT_EQ(info.highestDpi(), 16000u);
    EXPECT_EQ(info.lowestDpi(), 100);
    EXPECT_EQ(info.bytes, raw); // uninterpreted bytes are carried along
}

TEST(DeviceInfoRecordTest, SettersWriteLittleEndianWords) {
    device::DeviceInfoRecord info;
    info.setDpiSteps(0x1234);
    info.setLowestDpi(0xABCD);
    EXPECT_EQ(info.bytes[12], 0x34);
    EXPECT_EQ(info.bytes[13], 0x12);
    EXPECT_EQ(info.bytes[14], 0xCD);
    EXPECT_EQ(info.bytes[15], 0xAB);
}

} // namespace
} // namespace morva
