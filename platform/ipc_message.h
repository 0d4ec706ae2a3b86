#pragma once

#include "platform/user_folders.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <sys/types.h>

// The messages other processes of the same user send to the running program, and the messages
// it announces to them. Each travels as one fixed-size packet over a local socket.
namespace morva::platform {

// The application title: the name of the single-instance socket and of the instance message.
inline constexpr const char* kInstanceName = kApplicationTitle;
inline constexpr const char* kForwardName = "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}";
inline constexpr const char* kAnnounceName = "{4695579F-999A-41d4-9FAF-EFFCE93EBF16}";
inline constexpr const char* kLightControlName = "{4695579F-999A-41d4-9FAF-EFFCE93EBF17}";

enum class MessageKind : uint8_t {
    Instance = 1,     // a second start (wParam 0, lParam 1) or the scan thread's first pass
    Forward = 2,      // passed on unchanged to the settings window while it is open
    Announce = 3,     // the program tells others whether it drives the lighting
    LightControl = 4, // another program hands the lighting over (lParam 0) or back (lParam 1)
};

struct Message {
    MessageKind kind = MessageKind::Instance;
    uint32_t wParam = 0;
    int32_t lParam = 0;

    friend bool operator==(const Message&, const Message&) = default;
};

// Wire format, 16 bytes: "MRVA", version 1, kind, two zero bytes, wParam and lParam as 32-bit
// little-endian values. Anything else is rejected.
inline constexpr size_t kPacketSize = 16;
using Packet = std::array<uint8_t, kPacketSize>;

Packet encodeMessage(const Message& message);

enum class DecodeError {
    None,
    WrongSize,
    BadMagic,
    BadVersion,
    UnknownKind,
    ReservedNotZero,
};

// Checks every byte of a received packet; `out` is set only when the packet is valid.
DecodeError decodeMessage(std::span<const uint8_t> bytes, Message& out);
const char* describe(DecodeError error);

// Only processes of the same user may talk to the program.
bool peerAllowed(uid_t peerUid, uid_t ownUid);

// The socket files in a runtime folder. In the user's private runtime folder (userRuntimeFolder())
// no other user can take them; the peer's uid is still checked on every connection.
std::string instanceSocketPath(const std::filesystem::path& runtimeFolder);
std::string announceSocketPath(const std::filesystem::path& runtimeFolder);
// This user's sockets; empty when the user has no private runtime folder (the trace says why).
std::string instanceSocketPath();
std::string announceSocketPath();

} // namespace morva::platform
