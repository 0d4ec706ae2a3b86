#include "platform/ipc_message.h"

#include <unistd.h>

namespace morva::platform {
namespace {

constexpr uint8_t kMagic[4] = {'M', 'R', 'V', 'A'};
constexpr uint8_t kVersion = 1;
constexpr size_t kVersionOffset = 4;
constexpr size_t kKindOffset = 5;
constexpr size_t kReservedOffset = 6;
constexpr size_t kWParamOffset = 8;
constexpr size_t kLParamOffset = 12;

void putWord32(Packet& packet, size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        packet[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint32_t getWord32(std::span<const uint8_t> bytes, size_t offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}

bool knownKind(uint8_t kind) {
    return kind >= static_cast<uint8_t>(MessageKind::Instance) &&
           kind <= static_cast<uint8_t>(MessageKind::LightControl);
}

} // namespace

Packet encodeMessage(const Message& message) {
    Packet packet{};
    for (size_t i = 0; i < 4; ++i) {
        packet[i] = kMagic[i];
    }
    packet[kVersionOffset] = kVersion;
    packet[kKindOffset] = static_cast<uint8_t>(message.kind);
    putWord32(packet, kWParamOffset, message.wParam);
    putWord32(packet, kLParamOffset, static_cast<uint32_t>(message.lParam));
    return packet;
}

DecodeError decodeMessage(std::span<const uint8_t> bytes, Message& out) {
    if (bytes.size() != kPacketSize) {
        return DecodeError::WrongSize;
    }
    for (size_t i = 0; i < 4; ++i) {
        if (bytes[i] != kMagic[i]) {
            return DecodeError::BadMagic;
        }
    }
    if (bytes[kVersionOffset] != kVersion) {
        return DecodeError::BadVersion;
    }
    if (!knownKind(bytes[kKindOffset])) {
        return DecodeError::UnknownKind;
    }
    if (bytes[kReservedOffset] != 0 || bytes[kReservedOffset + 1] != 0) {
        return DecodeError::ReservedNotZero;
    }
    out.kind = static_cast<MessageKind>(bytes[kKindOffset]);
    out.wParam = getWord32(bytes, kWParamOffset);
    out.lParam = static_cast<int32_t>(getWord32(bytes, kLParamOffset));
    return DecodeError::None;
}

const char* describe(DecodeError error) {
    switch (error) {
    case DecodeError::None:
        return "valid";
    case DecodeError::WrongSize:
        return "wrong size";
    case DecodeError::BadMagic:
        return "bad magic";
    case DecodeError::BadVersion:
        return "unsupported version";
    case DecodeError::UnknownKind:
        return "unknown kind";
    case DecodeError::ReservedNotZero:
        return "reserved bytes not zero";
    }
    return "unknown error";
}

bool peerAllowed(uid_t peerUid, uid_t ownUid) {
    return peerUid == ownUid;
}

std::string instanceSocketPath(const std::filesystem::path& runtimeFolder) {
    return (runtimeFolder / kInstanceName).string();
}

std::string announceSocketPath(const std::filesystem::path& runtimeFolder) {
    return (runtimeFolder / kAnnounceName).string();
}

std::string instanceSocketPath() {
    const auto folder = userRuntimeFolder();
    return folder ? instanceSocketPath(*folder) : std::string();
}

std::string announceSocketPath() {
    const auto folder = userRuntimeFolder();
    return folder ? announceSocketPath(*folder) : std::string();
}

} // namespace morva::platform
