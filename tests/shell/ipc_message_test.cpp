#include "env_override.h"
#include "platform/ipc_message.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <vector>

namespace morva::platform {
namespace {

TEST(IpcMessageTest, EveryKindSurvivesEncodingWithExtremeParameters) {
    const std::vector<Message> messages = {
        {MessageKind::Instance, 0, 1},
        {MessageKind::Forward, 0xFFFFFFFFu, -1},
        {MessageKind::Announce, 1, 1},
        {MessageKind::LightControl, 1, 0},
        {MessageKind::LightControl, 0x80000000u, INT32_MIN},
    };
    for (const Message& sent : messages) {
        const Packet packet = encodeMessage(sent);
        Message received{MessageKind::Instance, 12345, 678};
        EXPECT_EQ(decodeMessage(packet, received), DecodeError::None);
        EXPECT_EQ(received, sent);
    }
}

TEST(IpcMessageTest, PacketLayoutIsLittleEndianAfterTheHeader) {
    const Packet packet = encodeMessage({MessageKind::LightControl, 0x01020304u, -2});
    const Packet expected = {'M', 'R', 'V', 'A', 1, 4, 0, 0, 4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(packet, expected);
}

struct MalformedCase {
    const char* what;
    std::vector<uint8_t> bytes;
    DecodeError error;
};

std::vector<uint8_t> validBytesWith(size_t index, uint8_t value) {
    const Packet packet = encodeMessage({MessageKind::Instance, 0, 1});
    std::vector<uint8_t> bytes(packet.begin(), packet.end());
    bytes[index] = value;
    return bytes;
}

TEST(IpcMessageTest, MalformedPacketsAreRejectedAndLeaveTheOutputAlone) {
    const Packet valid = encodeMessage({MessageKind::Instance, 0, 1});
    std::vector<uint8_t> longer(valid.begin(), valid.end());
    longer.push_back(0);
    const std::vector<MalformedCase> cases = {
        {"empty", {}, DecodeError::WrongSize},
        {"one byte short", std::vector<uint8_t>(valid.begin(), valid.end() - 1),
         DecodeError::WrongSize},
        {"one byte long", longer, DecodeError::WrongSize},
        {"text line", {'s', 'h', 'o', 'w', '\n'}, DecodeError::WrongSize},
        {"bad magic", validBytesWith(0, 'X'), DecodeError::BadMagic},
        {"version 0", validBytesWith(4, 0), DecodeError::BadVersion},
        {"version 2", validBytesWith(4, 2), DecodeError::BadVersion},
        {"kind 0", validBytesWith(5, 0), DecodeError::UnknownKind},
        {"kind 5", validBytesWith(5, 5), DecodeError::UnknownKind},
        {"kind 255", validBytesWith(5, 255), DecodeError::UnknownKind},
        {"reserved byte 6", validBytesWith(6, 1), DecodeError::ReservedNotZero},
        {"reserved byte 7", validBytesWith(7, 0x80), DecodeError::ReservedNotZero},
    };
    for (const MalformedCase& testCase : cases) {
        SCOPED_TRACE(testCase.what);
        const Message untouched{MessageKind::Forward, 7, 8};
        Message out = untouched;
        EXPECT_EQ(decodeMessage(testCase.bytes, out), testCase.error);
        EXPECT_EQ(out, untouched);
        EXPECT_STRNE(describe(testCase.error), describe(DecodeError::None));
    }
}

TEST(IpcMessageTest, OnlyTheSameUserIsAllowed) {
    EXPECT_TRUE(peerAllowed(1000, 1000));
    EXPECT_TRUE(peerAllowed(0, 0));
    EXPECT_FALSE(peerAllowed(1001, 1000));
    EXPECT_FALSE(peerAllowed(0, 1000)); // not even root may drive another user's program
    EXPECT_FALSE(peerAllowed(1000, 0));
}

TEST(IpcMessageTest, TheSocketsAreFilesInTheRuntimeFolder) {
    EXPECT_EQ(instanceSocketPath("/run/user/1000"), "/run/user/1000/QT4410-VIGOR MORVA");
    EXPECT_EQ(announceSocketPath("/run/user/42"),
              "/run/user/42/{4695579F-999A-41d4-9FAF-EFFCE93EBF16}");

    test::TempDir runtime; // made with mode 0700
    test::EnvOverride variable("XDG_RUNTIME_DIR", runtime.path().c_str());
    EXPECT_EQ(instanceSocketPath(), instanceSocketPath(runtime.path()));
    EXPECT_EQ(announceSocketPath(), announceSocketPath(runtime.path()));
}

} // namespace
} // namespace morva::platform
