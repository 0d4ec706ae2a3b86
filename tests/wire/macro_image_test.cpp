#include "device/macro_image.h"

#include <gtest/gtest.h>
#include <vector>

namespace morva::device {
namespace {

using macros::PackedMacroEvent;

std::vector<PackedMacroEvent> events(size_t count, uint8_t button) {
    std::vector<PackedMacroEvent> list;
    for (size_t i = 0; i < count; ++i) {
        list.push_back({static_cast<uint8_t>(i), 0x00, 0x8A, button});
    }
    return list;
}

TEST(MacroImage, RecordsFollowTheirOffsetTable) {
    const MacroImage image{{events(3, 0x04), events(5, 0x05)}};
    const std::vector<uint8_t> bytes = encodeMacroImage(image);
    ASSERT_EQ(bytes.size(), 60u);
    const std::vector<uint8_t> header = {0xAA, 0x55, 60, 0, 2, 0, 0,  0, 0,  0,
                                         0,    0,    0,  0, 0, 0, 20, 0, 36, 0};
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 20), header);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 20, bytes.begin() + 28),
              (std::vector<uint8_t>{3, 0, 0, 0, 0x00, 0x00, 0x8A, 0x04}));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 36, bytes.begin() + 44),
              (std::vector<uint8_t>{5, 0, 0, 0, 0x00, 0x00, 0x8A, 0x05}));
    EXPECT_EQ(decodeMacroImage(bytes), image);
}

TEST(MacroImage, AnEmptyListAndEmptyRecords) {
    EXPECT_EQ(encodeMacroImage({}),
              (std::vector<uint8_t>{0xAA, 0x55, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    const MacroImage fourEmpty{{{}, {}, {}, {}}};
    EXPECT_EQ(macroImageLength(fourEmpty), 16u + 24u);
    EXPECT_EQ(decodeMacroImage(encodeMacroImage(fourEmpty)), fourEmpty);
}

TEST(MacroImage, DamagedBytesAreNoImage) {
    std::vector<uint8_t> bytes = encodeMacroImage(MacroImage{{events(2, 1)}});
    std::vector<uint8_t> wrongMagic = bytes;
    wrongMagic[0] = 0xAB;
    std::vector<uint8_t> countPastTheEnd = bytes;
    countPastTheEnd[18] = 200;
    const std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 1);
    for (const auto& damaged : {wrongMagic, countPastTheEnd, cut}) {
        EXPECT_FALSE(decodeMacroImage(damaged).has_value());
    }
}

TEST(MacroImage, ExcessCountsTheEventsThatDoNotFit) {
    // 61 events in one macro make 16 + 6 + 244 = 266 bytes; 256 bytes of memory leave 3 out.
    EXPECT_EQ(macroImageLength(MacroImage{{events(61, 1)}}), 266u);
    EXPECT_EQ(macroImageExcess(266, 256), 3);
    EXPECT_EQ(macroImageExcess(256, 256), 0);
    EXPECT_EQ(macroImageExcess(257, 256), 1);
}

} // namespace
} // namespace morva::device
