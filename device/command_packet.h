#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// The 64-byte command packets exchanged with a device's vendor interface: the request layout
// with its checksum, the reply's echo and status bytes, and how a payload is cut into chunks.
namespace morva::device {

inline constexpr size_t kPacketSize = 64;
inline constexpr size_t kChunkSize = 56; // data bytes carried by one packet
inline constexpr uint8_t kCommandReportId = 0x04;

using CommandPacket = std::array<uint8_t, kPacketSize>;

// Byte positions inside a packet.
namespace packet_byte {
inline constexpr size_t kReportId = 0;
inline constexpr size_t kChecksumLow = 1;
inline constexpr size_t kChecksumHigh = 2;
inline constexpr size_t kCommand = 3; // the reply echoes it here
inline constexpr size_t kChunkLength = 4;
inline constexpr size_t kOffsetLow = 5;
inline constexpr size_t kOffsetHigh = 6;
inline constexpr size_t kStatus = 7; // 0x00 in requests, the status in replies
inline constexpr size_t kData = 8;
} // namespace packet_byte

namespace command {
inline constexpr uint8_t kBeginTransaction = 0x01;
inline constexpr uint8_t kEndTransaction = 0x02;
inline constexpr uint8_t kReadDeviceInfo = 0x03;
inline constexpr uint8_t kReadSettings = 0x05;
inline constexpr uint8_t kWriteSettings = 0x06;
inline constexpr uint8_t kReadKeyTable = 0x07;
inline constexpr uint8_t kWriteKeyTable = 0x09;
inline constexpr uint8_t kWriteLightFrame = 0x0B;
inline constexpr uint8_t kLiveLightFrame = 0x12;
inline constexpr uint8_t kWriteMacroImage = 0x15;
inline constexpr uint8_t kWriteGunKeyData = 0x17;
inline constexpr uint8_t kReadStatus = 0x1A;
inline constexpr uint8_t kReadLedIndexTable = 0x1B;
inline constexpr uint8_t kLinkCheck = 0xAA;
} // namespace command

// Reply status bytes that mean failure; any other value is success.
inline constexpr uint8_t kStatusFailedFF = 0xFF;
inline constexpr uint8_t kStatusFailedFE = 0xFE;
// Reply byte 8 of a link check when the wireless device is linked to its receiver.
inline constexpr uint8_t kLinkUp = 0xFF;

// Result codes of every command operation.
inline constexpr int kResultOk = 1;
inline constexpr int kResultNoReply = 0; // not sent, no reply in time, or the wait was cancelled
inline constexpr int kResultWriteFailed = -1;
inline constexpr int kResultStatusFF = -102;
inline constexpr int kResultStatusFE = -103;
inline constexpr int kResultBadProfileIndex = -201;

// What a result code means, in a few words ("success", "no reply", ...).
std::string_view describeCommandResult(int result);

// Sum of bytes 3 to 63 as unsigned bytes, modulo 0x10000.
uint16_t packetChecksum(std::span<const uint8_t, kPacketSize> packet);
// Stores the checksum in bytes 1 and 2; call it once every other byte is in place.
void sealPacket(CommandPacket& packet);
bool hasValidChecksum(std::span<const uint8_t, kPacketSize> packet);

// A sealed request: report id, command, chunk length, offset, status 0, then the data (at most
// 56 bytes) padded with zeros. For reads, give the chunk length and no data.
CommandPacket buildRequest(uint8_t command, uint8_t chunkLength, uint16_t offset,
                           std::span<const uint8_t> data = {});
// A command without payload: chunk length, offset and status all zero.
CommandPacket buildSimpleRequest(uint8_t command);

inline uint8_t packetCommand(std::span<const uint8_t, kPacketSize> p) {
    return p[packet_byte::kCommand];
}
inline uint8_t packetChunkLength(std::span<const uint8_t, kPacketSize> p) {
    return p[packet_byte::kChunkLength];
}
inline uint16_t packetOffset(std::span<const uint8_t, kPacketSize> p) {
    return static_cast<uint16_t>(p[packet_byte::kOffsetLow] | p[packet_byte::kOffsetHigh] << 8);
}
inline uint8_t packetStatus(std::span<const uint8_t, kPacketSize> p) {
    return p[packet_byte::kStatus];
}
inline std::span<const uint8_t, kChunkSize> packetData(std::span<const uint8_t, kPacketSize> p) {
    return p.subspan<packet_byte::kData, kChunkSize>();
}

// Reply checks.
inline bool replyEchoes(std::span<const uint8_t, kPacketSize> reply, uint8_t command) {
    return packetCommand(reply) == command;
}
// 1 for a success status, -102 for 0xFF, -103 for 0xFE.
int statusResult(uint8_t status);
// True only when the exchange succeeded, the status is not a failure and byte 8 is 0xFF.
bool linkCheckPassed(int exchangeResult, std::span<const uint8_t, kPacketSize> reply);

// One packet of a chunked transfer: where its data sits in the payload, the offset it carries
// and how many bytes it holds.
struct Chunk {
    size_t position = 0;
    uint16_t offset = 0;
    uint8_t length = 0;
    bool operator==(const Chunk&) const = default;
};

// ⌈total ÷ 56⌉.
size_t chunkCount(size_t total);
// Chunk `index` of a transfer of `total` bytes whose first packet carries `baseOffset`.
Chunk chunkAt(size_t total, uint16_t baseOffset, size_t index);
// Whether every chunk's offset fits the 16-bit offset field.
bool offsetsFit(size_t total, uint16_t baseOffset);

} // namespace morva::device
