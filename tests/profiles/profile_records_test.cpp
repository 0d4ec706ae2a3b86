#include "profiles/profile_records.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

TEST(ProfileRecordsTest, LightInfoPacksLittleEndianInFieldOrder) {
    const profiles::LightInfoRecord record{.mode = 0x01,
                                           .brightness = 0x02,
                                           .speed = 0x03,
                                           .direction = 0x04,
                                           .multiColor = 0x05,
                                           .red = 0x06,
                                           .green = 0x07,
                                           .blue = 0x08,
                                           .reserved0 = 0x09,
                                           .reserved1 = 0x0A,
                                           .present = 0x0B,
                                           .customGroup = 0x0C,
                                           .sideMode = 0x0D,
                                           .zzccMode = 0x0E};

    const profiles::PackedLightInfo packed = profiles::packLightInfo(record);

    EXPECT_EQ(packed.word0, 0x04030201u);
    EXPECT_EQ(packed.word1, 0x08070605u);
    EXPECT_EQ(packed.word2, 0x0C0B0A09u);
    EXPECT_EQ(packed.half3, 0x0E0Du);
    EXPECT_EQ(profiles::unpackLightInfo(packed), record);
}

TEST(ProfileRecordsTest, AssignmentEncodingKeepsThreeBytes) {
    EXPECT_EQ(profiles::encodeAssignment({.code = {.kind = 0x70, .first = 3, .second = 0}}),
              7340800);
    EXPECT_EQ(profiles::encodeAssignmentCode({.kind = 0xD0, .first = 0xA2, .second = 0x05}),
              0xD0A205);
    EXPECT_EQ(profiles::decodeAssignmentCode(0x12D0A205),
              (profiles::AssignmentCode{0xD0, 0xA2, 0x05}))
        << "only the low 24 bits are the code";
    EXPECT_EQ(profiles::decodeAssignment(0xD0A205, 124),
              (profiles::KeyAssignmentCode{124, 0xD0, 0xA2, 0x05}));
    EXPECT_EQ(profiles::decodeAssignment(-1, 0),
              (profiles::KeyAssignmentCode{0, 0xFF, 0xFF, 0xFF}));
}

TEST(ProfileRecordsTest, SystemRecordsRoundTripThroughWords) {
    const profiles::KeyboardSystemRecord keyboard{1, 2, 3, 4, 5, 6};
    const auto kw = keyboard.toWords();
    EXPECT_EQ(profiles::KeyboardSystemRecord::fromWords(kw[0], kw[1], kw[2]), keyboard);

    const profiles::MouseSystemRecord mouse{0xFFFF, 2, 3, 4, 5, 0x8000};
    const auto mw = mouse.toWords();
    EXPECT_EQ(mw[2], 0x80000005u);
    EXPECT_EQ(profiles::MouseSystemRecord::fromWords(mw[0], mw[1], mw[2]), mouse);

    const std::array<int32_t, 8> values{1, -2, 3, -4, 5, -6, 7, -8};
    EXPECT_EQ(profiles::HeadsetSystemRecord::fromValues(values).toValues(), values);
}

} // namespace
} // namespace morva
