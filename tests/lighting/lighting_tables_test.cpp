#include "lighting/lighting_tables.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

namespace morva::lighting {
namespace {

TEST(LightingTables, TheColourWheelRunsThroughItsSixRamps) {
    const auto& wheel = colourWheel();
    EXPECT_EQ(wheel[0], (Rgb{255, 1, 0}));
    EXPECT_EQ(wheel[31], (Rgb{255, 255, 0}));
    EXPECT_EQ(wheel[32], (Rgb{248, 255, 0}));
    EXPECT_EQ(wheel[64], (Rgb{0, 255, 1}));
    EXPECT_EQ(wheel[96], (Rgb{0, 248, 255}));
    EXPECT_EQ(wheel[128], (Rgb{1, 0, 255}));
    EXPECT_EQ(wheel[170], (Rgb{255, 0, 124}));
    EXPECT_EQ(wheel[191], (Rgb{255, 0, 0}));
}

// Both wheels: one channel moves at a time, and never by much from one entry to the next.
void expectSmooth(const std::array<Rgb, kWheelSize>& wheel, int largestStep) {
    for (size_t i = 0; i < wheel.size(); ++i) {
        const Rgb& a = wheel[i];
        const Rgb& b = wheel[(i + 1) % wheel.size()];
        const int steps[] = {std::abs(a.red - b.red), std::abs(a.green - b.green),
                             std::abs(a.blue - b.blue)};
        EXPECT_LE(*std::max_element(std::begin(steps), std::end(steps)), largestStep) << i;
        EXPECT_LE(std::count_if(std::begin(steps), std::end(steps), [](int s) { return s > 0; }), 1)
            << i;
    }
}

TEST(LightingTables, TheSecondWheelPassesThroughItsKnownEntriesAsSmoothly) {
    const auto& second = secondColourWheel();
    EXPECT_EQ(second[0], (Rgb{255, 10, 0}));
    EXPECT_EQ(second[16], (Rgb{140, 255, 0}));
    EXPECT_EQ(second[96], (Rgb{0, 255, 29}));
    expectSmooth(colourWheel(), 16);
    // Its green rises in a third of the entries the first wheel takes.
    expectSmooth(second, 40);
}

TEST(LightingTables, CurvesAreBuiltFromTheBreathingRise) {
    const auto& breathing = breathingCurve();
    EXPECT_EQ(breathing[0], 0);
    EXPECT_EQ(breathing[63], 255);
    EXPECT_EQ(breathing[64], 255);
    EXPECT_EQ(breathing[127], 0);
    EXPECT_TRUE(std::equal(breathing.begin(), breathing.end(), breathing.rbegin()));

    const auto& wave = waveCurve();
    EXPECT_EQ(wave[0], 22);
    EXPECT_EQ(wave[47], 255);
    EXPECT_EQ(wave[95], 22);

    const auto& pulse = pulseCurve();
    EXPECT_EQ(pulse[24], 255);
    EXPECT_EQ(pulse[25], 248);
    EXPECT_EQ(pulse[85], 2);
    EXPECT_EQ(pulse[86], 2);
    EXPECT_EQ(pulse[87], 1);
    EXPECT_EQ(pulse[88], 0);
    EXPECT_TRUE(std::all_of(pulse.begin() + 88, pulse.end(), [](uint8_t v) { return v == 0; }));
}

TEST(LightingTables, TheKeyboardGridHoldsEachKeyPositionOnce) {
    std::set<int> seen;
    for (const auto& column : keyboardGrid()) {
        for (const uint8_t position : column) {
            if (position != kNoKey) {
                EXPECT_LT(position, 126);
                EXPECT_TRUE(seen.insert(position).second) << int{position};
            }
        }
    }
    EXPECT_EQ(keyboardGrid()[2][0], 0);
    EXPECT_EQ(keyboardGrid()[22][3], 119);
}

TEST(LightingTables, LevelsAndSpeedsBeyondTheTablesTakeTheLastEntry) {
    EXPECT_EQ(brightnessOf(2), 135);
    EXPECT_EQ(scaled(128, brightnessOf(2)), 67);
    EXPECT_EQ(brightnessOf(9), 255);
    EXPECT_EQ(thresholdOf(0), 28);
    EXPECT_EQ(thresholdOf(4), 7);
    EXPECT_EQ(thresholdOf(200), 0);
}

} // namespace
} // namespace morva::lighting
