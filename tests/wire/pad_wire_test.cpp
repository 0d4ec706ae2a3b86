#include "device/headset/headset_lighting_reports.h"
#include "device/mousepad/pad_settings_block.h"
#include "device/mousepad/pad_status.h"

#include <gtest/gtest.h>
#include <vector>

namespace morva::device {
namespace {

std::array<uint8_t, kPadSettingsReadSize> readBlock() {
    std::array<uint8_t, kPadSettingsReadSize> block{};
    for (size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<uint8_t>(0x40 + i);
    }
    block[1] = 2; // effect
    block[3] = 1; // 4 − speed 3
    return block;
}

TEST(PadSettingsBlock, ReadAndWrittenBackUnchanged) {
    const auto block = readBlock();
    const PadSettings read = decodePadSettings(block, 2);
    EXPECT_EQ(read.profileIndex, 2);
    EXPECT_EQ(read.speed, 3) << "4 − the wire's byte";
    const PadSettingsBlock written = encodePadSettings(read);
    EXPECT_EQ(written[0], 2);
    EXPECT_EQ(std::vector<uint8_t>(written.begin() + 1, written.end()),
              std::vector<uint8_t>(block.begin() + 1, block.begin() + kPadSettingsWriteSize));
}

TEST(PadSettingsBlock, TheProfileLightTakesItsBytesAndLeavesThePadsOwn) {
    const auto block = readBlock();
    const PadSettings read = decodePadSettings(block, 0);
    profiles::LightInfoRecord light{.mode = 4,
                                    .brightness = 3,
                                    .speed = 1,
                                    .direction = 1,
                                    .multiColor = 1,
                                    .red = 0xA1,
                                    .green = 0xA2,
                                    .blue = 0xA3};
    const PadSettingsBlock written = encodePadSettings(withProfileLight(read, light));
    EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.begin() + 9),
              (std::vector<uint8_t>{0, 4, 3, 3, 0x44, 1, 0xA1, 0xA2, 0xA3}))
        << "the direction stays as read";
    EXPECT_EQ(std::vector<uint8_t>(written.begin() + 9, written.end()),
              std::vector<uint8_t>(block.begin() + 9, block.begin() + 21));
}

TEST(PadSettingsBlock, HostEffectsTravelAsTheFirstEffect) {
    struct Case {
        uint8_t effect;
        uint8_t sent;
    };
    for (const Case c : {Case{8, 8}, Case{9, 0}, Case{12, 0}, Case{255, 0}}) {
        PadSettings settings;
        settings.effect = c.effect;
        EXPECT_EQ(encodePadSettings(settings)[1], c.sent) << int{c.effect};
    }
}

TEST(PadStatus, TheHostsWirelessFlagTakesTheThirdByte) {
    const std::array<uint8_t, kPadStatusSize> status = {64, 1, 9, 0, 5, 2};
    EXPECT_EQ(decodePadStatus(status, true), (ui::PowerReport{.batteryPercent = 64,
                                                              .chargingState = 1,
                                                              .wireless = true,
                                                              .eventCode = 5,
                                                              .phoneType = 2}));
    const std::array<uint8_t, kPadStatusSize> claimsWireless = {64, 1, 9, 1, 5, 2};
    EXPECT_FALSE(decodePadStatus(claimsWireless, false).wireless);
}

TEST(HeadsetLightingReports, ChannelValuesAreScaledAndLimited) {
    std::vector<lighting::LedColour> leds(kHeadsetLedCount);
    leds[0] = {255, 128, 0, 255};
    leds[8] = {100, 200, 50, 128};
    const HeadsetFrame frame = encodeHeadsetFrame(leds);
    // Red, green and blue of LEDs 0–6 to target 0x22 are reports 0, 4 and 8.
    EXPECT_EQ(frame[0][4], 247);
    EXPECT_EQ(frame[4][4], 127);
    EXPECT_EQ(frame[8][4], 0);
    // LED 8 is the second of the high blocks (reports 1, 5, 9).
    EXPECT_EQ(frame[1][5], 50);
    EXPECT_EQ(frame[5][5], 100);
    EXPECT_EQ(frame[9][5], 25);
    for (const HeadsetReport& report : frame) {
        EXPECT_EQ(report[0], 0xFF);
        EXPECT_EQ(report[3], 0);
        EXPECT_EQ(std::vector<uint8_t>(report.begin() + 11, report.end()),
                  std::vector<uint8_t>(6, 0));
    }
}

TEST(HeadsetLightingReports, EveryBlockGoesToBothTargetsInOrder) {
    const std::vector<lighting::LedColour> leds(kHeadsetLedCount, {10, 20, 30, 255});
    const HeadsetFrame frame = encodeHeadsetFrame(leds);
    const std::vector<std::pair<uint8_t, uint8_t>> expected = {
        {0x22, 0xAA}, {0x22, 0xAD}, {0x44, 0xAA}, {0x44, 0xAD}, {0x22, 0xAB}, {0x22, 0xAE},
        {0x44, 0xAB}, {0x44, 0xAE}, {0x22, 0xAC}, {0x22, 0xAF}, {0x44, 0xAC}, {0x44, 0xAF}};
    std::vector<std::pair<uint8_t, uint8_t>> sent;
    for (const HeadsetReport& report : frame) {
        sent.emplace_back(report[1], report[2]);
    }
    EXPECT_EQ(sent, expected);
    // The high blocks carry six LEDs; byte 10 stays 0.
    EXPECT_EQ(frame[1][9], 9);
    EXPECT_EQ(frame[1][10], 0);
    EXPECT_EQ(frame[0][10], 9);
}

} // namespace
} // namespace morva::device
