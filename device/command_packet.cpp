#include "device/command_packet.h"

#include <algorithm>

namespace morva::device {

uint16_t packetChecksum(std::span<const uint8_t, kPacketSize> packet) {
    uint32_t sum = 0;
    for (size_t i = packet_byte::kCommand; i < kPacketSize; ++i) {
        sum += packet[i];
    }
    return static_cast<uint16_t>(sum & 0xFFFF);
}

void sealPacket(CommandPacket& packet) {
    const uint16_t sum = packetChecksum(packet);
    packet[packet_byte::kChecksumLow] = static_cast<uint8_t>(sum & 0xFF);
    packet[packet_byte::kChecksumHigh] = static_cast<uint8_t>(sum >> 8);
}

bool hasValidChecksum(std::span<const uint8_t, kPacketSize> packet) {
    const uint16_t stored = static_cast<uint16_t>(packet[packet_byte::kChecksumLow] |
                                                  packet[packet_byte::kChecksumHigh] << 8);
    return stored == packetChecksum(packet);
}

CommandPacket buildRequest(uint8_t command, uint8_t chunkLength, uint16_t offset,
                           std::span<const uint8_t> data) {
    CommandPacket packet{};
    packet[packet_byte::kReportId] = kCommandReportId;
    packet[packet_byte::kCommand] = command;
    packet[packet_byte::kChunkLength] = chunkLength;
    packet[packet_byte::kOffsetLow] = static_cast<uint8_t>(offset & 0xFF);
    packet[packet_byte::kOffsetHigh] = static_cast<uint8_t>(offset >> 8);
    const size_t copied = std::min(data.size(), kChunkSize);
    std::copy_n(data.begin(), copied, packet.begin() + packet_byte::kData);
    sealPacket(packet);
    return packet;
}

CommandPacket buildSimpleRequest(uint8_t command) {
    return buildRequest(command, 0, 0);
}

int statusResult(uint8_t status) {
    switch (status) {
    case kStatusFailedFF:
        return kResultStatusFF;
    case kStatusFailedFE:
        return kResultStatusFE;
    default:
        return kResultOk;
    }
}

bool linkCheckPassed(int exchangeResult, std::span<const uint8_t, kPacketSize> reply) {
    return exchangeResult == kResultOk && statusResult(packetStatus(reply)) == kResultOk &&
           reply[packet_byte::kData] == kLinkUp;
}

size_t chunkCount(size_t total) {
    return (total + kChunkSize - 1) / kChunkSize;
}

Chunk chunkAt(size_t total, uint16_t baseOffset, size_t index) {
    Chunk chunk;
    chunk.position = index * kChunkSize;
    chunk.offset = static_cast<uint16_t>(baseOffset + chunk.position);
    chunk.length = static_cast<uint8_t>(
        chunk.position < total ? std::min(kChunkSize, total - chunk.position) : 0);
    return chunk;
}

bool offsetsFit(size_t total, uint16_t baseOffset) {
    if (total == 0) {
        return true;
    }
    const size_t lastPosition = (chunkCount(total) - 1) * kChunkSize;
    return baseOffset + lastPosition <= 0xFFFF;
}

std::string_view describeCommandResult(int result) {
    switch (result) {
    case kResultOk:
        return "success";
    case kResultNoReply:
        return "not sent or no reply";
    case kResultWriteFailed:
        return "the request could not be written";
    case kResultStatusFF:
        return "the device refused the request (status 0xFF)";
    case kResultStatusFE:
        return "the device refused the request (status 0xFE)";
    case kResultBadProfileIndex:
        return "no such profile index";
    default:
        return "unknown result";
    }
}

} // namespace morva::device
