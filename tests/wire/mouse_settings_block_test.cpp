#include "device/mouse/mouse_settings_block.h"

#include <gtest/gtest.h>
#include <vector>

namespace morva::device {
namespace {

std::vector<uint8_t> bytes(const MouseSettingsBlock& block, size_t from, size_t count) {
    return {block.begin() + static_cast<long>(from),
            block.begin() + static_cast<long>(from + count)};
}

MouseSettings sample() {
    MouseSettings settings;
    settings.light.mode = 3;
    settings.light.brightness = 2;
    settings.light.speed = 1;
    settings.light.direction = 1;
    settings.light.multiColor = 0;
    settings.light.red = 0x10;
    settings.light.green = 0x20;
    settings.light.blue = 0x30;
    settings.reportRate = 2;
    settings.activeStage = 1;
    // 1600 DPI at 50 DPI per step is stored as 32 steps.
    settings.stages = {
        {1, 0, 16, 16, 0xFF, 0, 0}, {1, 1, 32, 48, 0, 0xFF, 0}, {0, 0, 64, 64, 0, 0, 0xFF}};
    settings.screenWidth = 1920;
    settings.screenHeight = 1080;
    return settings;
}

TEST(MouseSettingsBlock, WritesEveryByteInItsPlace) {
    const MouseSettingsBlock block = encodeMouseSettings(sample());
    EXPECT_EQ(bytes(block, 0, 14),
              (std::vector<uint8_t>{0x00, 0x03, 0x02, 0x01, 0x01, 0x00, 0x10, 0x20, 0x30, 0x00,
                                    0x00, 0x02, 0x01, 0x00}));
    EXPECT_EQ(bytes(block, 14, 27),
              (std::vector<uint8_t>{0x01, 0x00, 0x10, 0x00, 0x10, 0x00, 0xFF, 0x00, 0x00,
                                    0x01, 0x01, 0x20, 0x00, 0x30, 0x00, 0x00, 0xFF, 0x00,
                                    0x00, 0x00, 0x40, 0x00, 0x40, 0x00, 0x00, 0x00, 0xFF}));
    EXPECT_EQ(bytes(block, 41, 18), std::vector<uint8_t>(18, 0)) << "stages 4 and 5 do not exist";
    EXPECT_EQ(bytes(block, 59, 7), (std::vector<uint8_t>{0x01, 0x80, 0x07, 0x38, 0x04, 0, 0}))
        << "flag, 1920 × 1080, no correction";
}

TEST(MouseSettingsBlock, ByteRules) {
    MouseSettings settings = sample();
    settings.light.mode = 9;
    EXPECT_EQ(encodeMouseSettings(settings)[1], 0) << "effect 9 travels as 0";
    settings.wireless = true;
    EXPECT_EQ(encodeMouseSettings(settings)[3], 3) << "speed 1 wireless, inverted once";
    settings.correction = profiles::CorrectionRecord{
        .pixelThreshold = 7, .minimumSquare = 9, .select = 1, .name = L"x"};
    EXPECT_EQ(bytes(encodeMouseSettings(settings), 64, 2), (std::vector<uint8_t>{9, 7}));
    settings.stages.resize(8, {1, 0, 5, 5, 1, 1, 1});
    EXPECT_EQ(bytes(encodeMouseSettings(settings), 59, 1), (std::vector<uint8_t>{1}))
        << "a sixth stage never reaches the flag byte";
}

TEST(MouseSettingsBlock, ReadBack) {
    MouseSettingsBlock block = encodeMouseSettings(sample());
    block[0] = 2;
    block[3] = 3;
    block[12] = 4;
    profiles::LightInfoRecord current;
    current.customGroup = 5;
    const MouseSettingsReadBack read = decodeMouseSettings(block, current);
    EXPECT_EQ(read.profileIndex, 2);
    EXPECT_EQ(read.light.speed, 1);
    EXPECT_EQ(read.light.mode, 3);
    EXPECT_EQ(read.light.blue, 0x30);
    EXPECT_EQ(read.light.customGroup, 5) << "not in the block";
    EXPECT_EQ(read.activeStage, 4);
}

TEST(MouseSettingsBlock, TheFirstSelectedCorrectionCounts) {
    const std::vector<profiles::CorrectionRecord> corrections = {
        {1, 2, 0, L"a"}, {3, 4, 1, L"b"}, {5, 6, 1, L"c"}};
    ASSERT_TRUE(selectedCorrection(corrections).has_value());
    EXPECT_EQ(selectedCorrection(corrections)->name, L"b");
    EXPECT_FALSE(selectedCorrection({{1, 2, 0, L"a"}}).has_value());
}

} // namespace
} // namespace morva::device
