#include "device/command_packet.h"
#include "device/device_info_record.h"

#include <gtest/gtest.h>
#include <vector>

namespace morva {
namespace {

CommandPacket packetWithHead(std::initializer_list<uint8_t> head) {
    CommandPacket packet{};
    std::copy(head.begin(), head.end(), packet.begin());
    return packet;
}

TEST(CommandPacket, CommandsWithoutPayloadAreCommandAndChecksumOnly) {
    EXPECT_EQ(buildSimpleRequest(command::kBeginTransaction),
              packetWithHead({0x04, 0x01, 0x00, 0x01}));
    EXPECT_EQ(buildSimpleRequest(command::kEndTransaction),
              packetWithHead({0x04, 0x02, 0x00, 0x02}));
    EXPECT_EQ(buildSimpleRequest(command::kLinkCheck), packetWithHead({0x04, 0xAA, 0x00, 0xAA}));
}

TEST(CommandPacket, WriteRequestCarriesLengthOffsetDataAndTheirSum) {
    const std::vector<uint8_t> data(56, 0xFF);
    const CommandPacket packet = buildRequest(command::kWriteSettings, 56, 0x0102, data);

    // 0x06 + 56 + 0x02 + 0x01 + 56 × 0xFF = 14345 = 0x3809
    CommandPacket expected = packetWithHead({0x04, 0x09, 0x38, 0x06, 56, 0x02, 0x01, 0x00});
    std::fill(expected.begin() + 8, expected.end(), 0xFF);
    EXPECT_EQ(packet, expected);
    EXPECT_TRUE(hasValidChecksum(packet));
}

TEST(CommandPacket, ReadRequestHasLengthButNoData) {
    const CommandPacket packet = buildRequest(command::kReadDeviceInfo, 34, 0);
    EXPECT_EQ(packet, packetWithHead({0x04, 0x25, 0x00, 0x03, 34}));
}

TEST(CommandPacket, ShortDataIsPaddedWithZeros) {
    const std::vector<uint8_t> data = {0xAA, 0x55, 0x3C};
    const CommandPacket packet = buildRequest(command::kWriteMacroImage, 3, 0, data);
    EXPECT_EQ(packet,
              packetWithHead({0x04, 0x53, 0x01, 0x15, 0x03, 0x00, 0x00, 0x00, 0xAA, 0x55, 0x3C}));
}

TEST(CommandPacket, AnyChangedByteAfterTheChecksumBreaksIt) {
    CommandPacket packet =
        buildRequest(command::kWriteKeyTable, 56, 280, std::vector<uint8_t>(56, 7));
    for (size_t i = 3; i < kPacketSize; ++i) {
        CommandPacket changed = packet;
        ++changed[i];
        EXPECT_FALSE(hasValidChecksum(changed)) << "byte " << i;
    }
    packet[0] = 0x05; // the report id is not summed
    EXPECT_TRUE(hasValidChecksum(packet));
}

TEST(CommandPacket, FieldAccessorsReadWhatTheBuilderWrote) {
    const std::vector<uint8_t> data = {1, 2, 3, 4};
    const CommandPacket packet = buildRequest(command::kWriteLightFrame, 4, 0x0A00, data);
    EXPECT_EQ(packetCommand(packet), command::kWriteLightFrame);
    EXPECT_EQ(packetChunkLength(packet), 4);
    EXPECT_EQ(packetOffset(packet), 0x0A00);
    EXPECT_EQ(packetStatus(packet), 0);
    EXPECT_EQ(packetData(packet)[3], 4);
}

TEST(ReplyStatus, OnlyFFAndFEAreFailures) {
    const struct {
        uint8_t status;
        int result;
    } cases[] = {{0x00, kResultOk}, {0x01, kResultOk},       {0x7F, kResultOk},
                 {0xFD, kResultOk}, {0xFE, kResultStatusFE}, {0xFF, kResultStatusFF}};
    for (const auto& c : cases) {
        EXPECT_EQ(statusResult(c.status), c.result) << int{c.status};
    }
}

TEST(ReplyStatus, LinkCheckNeedsAReplyAGoodStatusAndFFInByte8) {
    const struct {
        int exchange;
        uint8_t status;
        uint8_t byte8;
        bool linked;
    } cases[] = {{kResultOk, 0x00, 0xFF, true},          {kResultOk, 0x00, 0x00, false},
                 {kResultOk, 0x00, 0xFE, false},         {kResultOk, 0xFF, 0xFF, false},
                 {kResultOk, 0xFE, 0xFF, false},         {kResultNoReply, 0x00, 0xFF, false},
                 {kResultWriteFailed, 0x00, 0xFF, false}};
    for (const auto& c : cases) {
        CommandPacket reply = packetWithHead({0x04, 0, 0, 0xAA, 0, 0, 0, c.status, c.byte8});
        EXPECT_EQ(linkCheckPassed(c.exchange, reply), c.linked)
            << c.exchange << " " << int{c.status} << " " << int{c.byte8};
    }
}

TEST(ChunkPlan, PayloadsAreCutInto56ByteChunksWithRunningOffsets) {
    const struct {
        size_t total;
        uint16_t base;
        std::vector<Chunk> chunks;
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
        ASSERT_EQ(chunkCount(c.total), c.chunks.size()) << c.total;
        for (size_t i = 0; i < c.chunks.size(); ++i) {
            EXPECT_EQ(chunkAt(c.total, c.base, i), c.chunks[i]) << c.total << " chunk " << i;
        }
    }
}

TEST(ChunkPlan, OffsetsMustFitSixteenBits) {
    EXPECT_TRUE(offsetsFit(0, 0xFFFF));
    EXPECT_TRUE(offsetsFit(56, 0xFFFF));
    EXPECT_FALSE(offsetsFit(57, 0xFFFF));
    EXPECT_TRUE(offsetsFit(512, 0xFFFF - 504));
    EXPECT_FALSE(offsetsFit(512, 0xFFFF - 503));
}

TEST(DeviceInfoRecordTest, InterpretsKeysMacroMemoryAndDpiBytes) {
    std::array<uint8_t, DeviceInfoRecord::kSize> raw{};
    raw[0] = 0x11;
    raw[5] = 110;
    raw[6] = 24;
    raw[11] = 50;
    raw[12] = 0x40; // 320 steps
    raw[13] = 0x01;
    raw[14] = 0x64; // lowest 100
    raw[15] = 0x00;
    raw[33] = 0x99;

    const DeviceInfoRecord info = DeviceInfoRecord::fromBytes(raw);

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
    DeviceInfoRecord info;
    info.setDpiSteps(0x1234);
    info.setLowestDpi(0xABCD);
    EXPECT_EQ(info.bytes[12], 0x34);
    EXPECT_EQ(info.bytes[13], 0x12);
    EXPECT_EQ(info.bytes[14], 0xCD);
    EXPECT_EQ(info.bytes[15], 0xAB);
}

} // namespace
} // namespace morva
