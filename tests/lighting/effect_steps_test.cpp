#include "lighting/chase.h"
#include "lighting/device_effects.h"
#include "lighting/lighting_tables.h"
#include "lighting/shared_steps.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace morva::lighting {
namespace {

profiles::LightInfoRecord settings(uint8_t effect, uint8_t brightness = 4, uint8_t speed = 4,
                                   bool forwards = true, bool multicolour = false,
                                   Rgb colour = {10, 20, 30}) {
    profiles::LightInfoRecord record;
    record.mode = effect;
    record.brightness = brightness;
    record.speed = speed;
    record.direction = forwards ? 1 : 0;
    record.multiColor = multicolour ? 1 : 0;
    record.red = colour.red;
    record.green = colour.green;
    record.blue = colour.blue;
    return record;
}

// A device's LEDs and state, stepped by hand.
struct Bench {
    explicit Bench(size_t ledCount) : leds(ledCount) { resetForNewEffect(state); }
    void run(StepFunction step, const profiles::LightInfoRecord& light, TickMs now = 0) {
        StepContext context{state, light, leds, now};
        step(context);
    }
    EffectState state;
    std::vector<LedColour> leds;
};

TEST(PhaseWalk, WrapsAtBothEnds) {
    struct Case {
        uint8_t phase;
        size_t period;
        uint8_t step;
        bool forwards;
        uint8_t next;
    };
    const Case cases[] = {{0, 192, 1, true, 1},    {191, 192, 1, true, 0}, {93, 96, 3, true, 0},
                          {0, 192, 1, false, 191}, {2, 96, 3, false, 93},  {5, 96, 3, false, 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(walkPhase(c.phase, c.period, c.step, c.forwards), c.next)
            << int{c.phase} << " over " << c.period;
    }
}

TEST(ChaseHelpers, ValuesFadeFasterWhenBright) {
    const std::pair<uint8_t, uint8_t> fades[] = {{255, 215}, {128, 88}, {127, 97}, {64, 34},
                                                 {63, 53},   {32, 22},  {31, 23},  {17, 9},
                                                 {16, 15},   {1, 0},    {0, 0}};
    for (const auto& [value, next] : fades) {
        EXPECT_EQ(faded(value), next) << int{value};
    }
}

TEST(ChaseHelpers, TheRingTurnsBothWaysAndAPartOfItTurnsAlone) {
    EffectState state;
    state.groupFlags[0] = true;
    state.groupFlags[22] = true;
    rotateFlags(state, true);
    EXPECT_TRUE(state.groupFlags[0]) << "flag 22 moved to 0";
    EXPECT_TRUE(state.groupFlags[1]);
    rotateFlags(state, false);
    rotateFlags(state, false);
    EXPECT_TRUE(state.groupFlags[21]);
    EXPECT_TRUE(state.groupFlags[22]) << "flag 0 moved to 22";
    state.groupFlags.fill(false);
    state.groupFlags[0] = true;
    rotateFlags(state, false, 8);
    EXPECT_TRUE(state.groupFlags[7]) << "an 8-flag ring wraps at 8";
}

TEST(SharedSteps, BreathingScalesTheCurveByTheBrightnessAndMovesOnAtEachReturn) {
    Bench bench(3);
    const auto light = settings(2, 2, 4, true, true);
    for (int step = 0; step < 64; ++step) {
        bench.run(breathingStep, light);
    }
    EXPECT_EQ(bench.state.phase, 64);
    EXPECT_EQ(bench.leds[2], lit(secondColourWheel()[0], scaled(255, 135)));
    for (int step = 0; step < 64; ++step) {
        bench.run(breathingStep, light);
    }
    EXPECT_EQ(bench.state.phase, 0);
    EXPECT_EQ(bench.state.colourIndex, 16) << "the next colour at the return to 0";
    EXPECT_EQ(bench.leds[0], lit(secondColourWheel()[16], 0));
}

TEST(SharedSteps, StaticInMulticolourColoursTheLedsByTheirGridColumn) {
    Bench bench(6);
    bench.state.phase = 10;
    bench.run(staticStep, settings(3, 4, 4, true, true));
    // LED 0 stands in column 2, LED 5 in column 8.
    EXPECT_EQ(bench.leds[0], lit(colourWheel()[(10 + 1 + 18 * 2) % 192], 255));
    EXPECT_EQ(bench.leds[5], lit(colourWheel()[(10 + 1 + 18 * 8) % 192], 255));
    EXPECT_EQ(bench.state.phase, 10) << "read, not advanced";
    bench.run(staticStep, settings(3, 0));
    EXPECT_EQ(bench.leds[3], (LedColour{10, 20, 30, 30}));
}

TEST(SharedSteps, FlashFlipsOnceItsPeriodHasPassed) {
    Bench bench(2);
    const auto light = settings(4, 4, 3); // 13 × 200 ms
    bench.run(flashStep, light, 2600);
    EXPECT_EQ(bench.leds[0], (LedColour{10, 20, 30, 255}));
    bench.run(flashStep, light, 5199);
    EXPECT_EQ(bench.leds[0].intensity, 255) << "not yet";
    bench.run(flashStep, light, 5200);
    EXPECT_EQ(bench.leds[0], LedColour{});
}

TEST(SharedSteps, FlashInFourColoursShowsAllFourColours) {
    Bench bench(1);
    const auto light = settings(7, 4, 5); // speed 5: a flip at every step
    std::set<std::tuple<int, int, int>> shown;
    for (TickMs now = 0; now < 16; ++now) {
        bench.run(fourColourFlashStep, light, now);
        if (bench.leds[0].intensity != 0) {
            shown.emplace(bench.leds[0].red, bench.leds[0].green, bench.leds[0].blue);
        }
    }
    EXPECT_EQ(shown.size(), 4u);
}

TEST(SharedSteps, TheLedWaveFollowsEachDeviceTypesStrides) {
    Bench mouse(6);
    mouse.run(mouseLedWaveStep, settings(0));
    EXPECT_EQ(mouse.state.phase, 1);
    EXPECT_EQ(mouse.leds[2], lit({10, 20, 30}, scaled(waveCurve()[(1 + 1 + 7 * 2) % 96], 255)));
    Bench headset(13);
    headset.run(headsetLedWaveStep, settings(0));
    EXPECT_EQ(headset.state.phase, 3) << "the headset walks the curve three at a time";
    EXPECT_EQ(headset.leds[12], lit({10, 20, 30}, scaled(waveCurve()[(3 + 120) % 96], 255)));
    Bench multicolour(13);
    multicolour.run(headsetLedWaveStep, settings(0, 4, 4, true, true));
    EXPECT_EQ(multicolour.leds[2], lit(colourWheel()[(1 + 1 + 16 * 2) % 192], 255));
}

TEST(SharedSteps, TheMouseChaseRunsOneLitGroupOverItsNineGroups) {
    Bench bench(6);
    const auto light = settings(5);
    bench.run(mouseChaseStep, light);
    EXPECT_EQ(bench.leds[0].intensity, scaled(215, 255)) << "group 0 lit, then faded once";
    EXPECT_EQ(bench.leds[3].intensity, 0);
    bench.run(mouseChaseStep, light);
    EXPECT_GT(bench.leds[3].intensity, bench.leds[0].intensity) << "the light moved on";
}

// The chases of the mouse pad and the headset light what the ring flags, and the ring is seeded
// at each effect change, so they show a moving light.
TEST(SharedSteps, ThePadChasesLightTheirLeds) {
    for (const StepFunction chase : {chaseAlongLedsStep, chaseOverPairsStep}) {
        Bench bench(15);
        int litSteps = 0;
        for (int step = 0; step < 60; ++step) {
            bench.run(chase, settings(6));
            litSteps += std::any_of(bench.leds.begin(), bench.leds.end(),
                                    [](const LedColour& led) { return led.intensity > 0; });
        }
        EXPECT_GT(litSteps, 10);
    }
}

TEST(DeviceEffects, EachTypeHasItsStepsAndTheRestPlayTheEffectFile) {
    EXPECT_EQ(mouseEffects().stepOf(5), &mouseChaseStep);
    EXPECT_EQ(mouseEffects().stepOf(9), nullptr);
    EXPECT_EQ(mousePadEffects().stepOf(5), nullptr);
    EXPECT_EQ(mousePadEffects().stepOf(6), &chaseAlongLedsStep);
    EXPECT_EQ(headsetEffects().stepOf(0), &headsetLedWaveStep);
    EXPECT_EQ(mouseEffects().thresholdOf(1, 0), 28);
    EXPECT_EQ(mouseEffects().thresholdOf(1, 4), 7);
}

} // namespace
} // namespace morva::lighting
