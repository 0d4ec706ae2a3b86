#include "lighting/lighting_driver.h"
#include "lighting/lighting_engine.h"
#include "lighting/lighting_tables.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace morva::lighting {
namespace {

profiles::LightInfoRecord settings(uint8_t effect, uint8_t speed, bool multicolour = false) {
    profiles::LightInfoRecord record;
    record.mode = effect;
    record.brightness = 4;
    record.speed = speed;
    record.direction = 1;
    record.multiColor = multicolour ? 1 : 0;
    record.red = 200;
    record.green = 100;
    record.blue = 50;
    return record;
}

profiles::LedEffectStep fileStep(uint8_t effect, uint8_t speed, int32_t timeMs,
                                 bool multicolour = false) {
    profiles::LedEffectStep step;
    step.effect = effect;
    step.brightness = 3;
    step.speed = speed;
    step.multiColor = multicolour ? 1 : 0;
    step.red = 9;
    step.green = 99;
    step.blue = 199;
    step.timeMs = timeMs;
    return step;
}

profiles::LightInfoRecord region(uint8_t mode, uint8_t speed, bool present = true) {
    profiles::LightInfoRecord record = settings(mode, speed);
    record.mode = mode;
    record.present = present ? 1 : 0;
    record.red = 1;
    record.green = 2;
    record.blue = 3;
    return record;
}

// The passes (from the first, numbered from 1) at which an LED changed.
std::vector<int> changes(LightingEngine& engine, int passes, size_t led = 0) {
    std::vector<int> at;
    LedColour last = engine.led(led);
    for (int pass = 1; pass <= passes; ++pass) {
        engine.pass(TickMs(pass) * kPassMs);
        if (engine.led(led) != last) {
            at.push_back(pass);
            last = engine.led(led);
        }
    }
    return at;
}

TEST(LightingEngine, AMouseStepsEvery28thPassAtSpeed0AndEvery7thAtSpeed4) {
    LightingEngine slow(mouseEffects(), 6, false);
    slow.setSettings(settings(1, 0));
    EXPECT_EQ(changes(slow, 90), (std::vector<int>{28, 56, 84}));
    LightingEngine fast(mouseEffects(), 6, false);
    fast.setSettings(settings(1, 4));
    EXPECT_EQ(changes(fast, 30), (std::vector<int>{7, 14, 21, 28}));
}

TEST(LightingEngine, RegionOverlaysPaintTheirLedOverTheMainEffectWhereTheTypeRunsThem) {
    for (const bool runsOverlays : {true, false}) {
        LightingEngine engine(mousePadEffects(), 3, runsOverlays);
        engine.setSettings(settings(3, 5)); // static, every pass
        // LED 0 its own colour; LED 1 breathing but not present, so left alone; the entry of a
        // fourth LED is ignored.
        engine.setRegions({region(1, 0), region(0, 0, false), region(4, 0), region(1, 0)});
        engine.pass(kPassMs);
        const std::vector<LedColour> leds = engine.leds();
        ASSERT_EQ(leds.size(), 3u);
        const LedColour main{200, 100, 50, 255};
        EXPECT_EQ(leds[0], runsOverlays ? (LedColour{1, 2, 3, 255}) : main);
        EXPECT_EQ(leds[1], main);
        EXPECT_EQ(leds[2], runsOverlays ? LedColour{} : main);
    }
}

TEST(LightingEngine, EffectCodesWithoutAStepPlayTheEffectFileStepByStep) {
    LightingEngine engine(mousePadEffects(), 2, true);
    engine.setSettings(settings(5, 0));
    engine.pass(kPassMs);
    EXPECT_EQ(engine.led(0), LedColour{}) << "no steps: off";

    // A static step for 10 ms, then a spectrum step at speed 5, which steps every pass.
    engine.setEffectSteps({fileStep(1, 0, 10), fileStep(5, 5, 1000)});
    const LedColour still{9, 99, 199, 195};
    for (TickMs now = 2 * kPassMs; now <= 8 * kPassMs; now += kPassMs) {
        engine.pass(now);
        EXPECT_EQ(engine.led(1), still) << now;
    }
    engine.pass(9 * kPassMs);
    const LedColour first = engine.led(0);
    EXPECT_NE(first, still) << "the spectrum step plays once the static one is over";
    EXPECT_EQ(first.intensity, 195);
    const auto& wheel = colourWheel();
    EXPECT_NE(std::find(wheel.begin(), wheel.end(), Rgb{first.red, first.green, first.blue}),
              wheel.end());
    engine.pass(10 * kPassMs);
    EXPECT_NE(engine.led(0), first);
}

TEST(LightingEngine, ANewEffectStartsFromTheBeginning) {
    LightingEngine engine(mouseEffects(), 6, false);
    engine.setSettings(settings(1, 5));
    for (int pass = 1; pass <= 5; ++pass) {
        engine.pass(TickMs(pass) * kPassMs);
    }
    engine.setSettings(settings(2, 5));
    engine.setSettings(settings(1, 5));
    engine.pass(6 * kPassMs);
    EXPECT_EQ(engine.led(0), lit(colourWheel()[1], 255)) << "the spectrum's first step again";
}

// The thread sleeps until the next step or, for fast effects, until just before the next tick
// on which frames are taken: every device's thread then wakes at the same moments.
TEST(LightingDriver, SleepsUntilTheNextStepOrJustBeforeTheNextFrameTick) {
    struct Case {
        TickMs now;
        uint32_t due;
        TickMs sleep;
    };
    for (const Case c : {Case{1003, 1, 42}, Case{1045, 1, 50}, Case{1044, 3, 51},
                         Case{1003, 100, 200}, Case{1003, 0, LightingDriver::kPausedPollMs}}) {
        EXPECT_EQ(LightingDriver::sleepAfterPass(c.now, c.due), c.sleep)
            << "at " << c.now << ", due in " << c.due;
    }
}

// Sleeping until the next due pass gives the same LEDs at the same passes as stepping every pass.
struct Scenario {
    const char* name;
    const EffectTable& effects;
    size_t leds;
    bool overlays;
    std::function<void(LightingEngine&)> setUp;
};

class SleepingEngine : public ::testing::TestWithParam<Scenario> {};

constexpr int kPasses = 6000;

// The LEDs after each pass of the counting loop, which steps every pass; index 0 is unused.
std::vector<std::vector<LedColour>> countingLoopFrames(const Scenario& scenario) {
    LightingEngine counting(scenario.effects, scenario.leds, scenario.overlays);
    scenario.setUp(counting);
    std::vector<std::vector<LedColour>> frames(kPasses + 1);
    for (int pass = 1; pass <= kPasses; ++pass) {
        counting.pass(TickMs(pass) * kPassMs);
        frames[pass] = counting.leds();
    }
    return frames;
}

TEST_P(SleepingEngine, ProducesTheFramesOfTheCountingLoop) {
    const Scenario& scenario = GetParam();
    LightingEngine sleeping(scenario.effects, scenario.leds, scenario.overlays);
    scenario.setUp(sleeping);
    const auto frames = countingLoopFrames(scenario);
    int pass = 1;
    int wakes = 1;
    sleeping.pass(kPassMs);
    ASSERT_EQ(sleeping.leds(), frames[1]);
    while (true) {
        const uint32_t due = sleeping.passesUntilDue(TickMs(pass) * kPassMs);
        if (due == 0 || pass + static_cast<int>(due) > kPasses) {
            break;
        }
        sleeping.skipPasses(due - 1);
        pass += static_cast<int>(due);
        sleeping.pass(TickMs(pass) * kPassMs);
        ++wakes;
        ASSERT_EQ(sleeping.leds(), frames[pass]) << "pass " << pass;
    }
    // Whatever passes remain change nothing.
    EXPECT_EQ(sleeping.leds(), frames[kPasses]);
    EXPECT_LT(wakes, kPasses / 2) << "it sleeps between steps";
}

// Woken seldom (a batch every 50 ms, or later on a busy machine), it still makes every step that
// fell due, each at its own pass, and ends on the counting loop's frame.
TEST_P(SleepingEngine, CaughtUpInBatchesEndsEachBatchOnTheCountingLoopsFrame) {
    const Scenario& scenario = GetParam();
    LightingEngine batched(scenario.effects, scenario.leds, scenario.overlays);
    scenario.setUp(batched);
    const auto frames = countingLoopFrames(scenario);
    const int gaps[] = {1, 13, 3, 40, 12, 25, 2, 97};
    int pass = 1;
    batched.pass(kPassMs);
    uint32_t due = batched.passesUntilDue(kPassMs);
    for (size_t batch = 0;; ++batch) {
        const int next = pass + gaps[batch % std::size(gaps)];
        if (next > kPasses) {
            break;
        }
        due = lighting::catchUp(batched, TickMs(pass) * kPassMs, TickMs(next) * kPassMs, due);
        pass = next;
        ASSERT_EQ(batched.leds(), frames[pass]) << "pass " << pass;
    }
}

const Scenario kScenarios[] = {
    {"MouseSpectrum", mouseEffects(), 6, false,
     [](LightingEngine& e) {
         e.setSettings(settings(1, 0));
     }},
    {"MouseFlash", mouseEffects(), 6, false,
     [](LightingEngine& e) {
         e.setSettings(settings(4, 4, true));
     }},
    {"MouseChase", mouseEffects(), 6, false,
     [](LightingEngine& e) {
         e.setSettings(settings(5, 3, true));
     }},
    {"PadChaseWithOverlays", mousePadEffects(), 15, true,
     [](LightingEngine& e) {
         e.setSettings(settings(6, 2, true));
         e.setRegions({region(2, 4), region(3, 1), region(0, 3), region(1, 0)});
     }},
    {"HeadsetWaveWithFlashOverlay", headsetEffects(), 13, true,
     [](LightingEngine& e) {
         e.setSettings(settings(0, 4));
         e.setRegions({region(2, 3), region(2, 2)});
     }},
    {"PadEffectFile", mousePadEffects(), 15, true,
     [](LightingEngine& e) {
         e.setSettings(settings(5, 3));
         e.setEffectSteps({fileStep(0, 2, 700, true), fileStep(2, 1, 900, true),
                           fileStep(4, 3, 500, true), fileStep(4, 0, 300), fileStep(5, 2, 800),
                           fileStep(1, 0, 200), fileStep(9, 0, 400)});
     }},
    {"KeyboardTwinkleWithOverlays", keyboardEffects(), 126, true,
     [](LightingEngine& e) {
         e.setSettings(settings(9, 3, true));
         e.setRegions({region(2, 4), region(3, 1)});
     }},
    {"KeyboardDemonstration", keyboardEffects(), 126, true,
     [](LightingEngine& e) {
         e.setSettings(settings(13, 2, true));
     }},
    {"KeyboardSpreadFromColumn9", keyboardEffects(), 126, true,
     [](LightingEngine& e) {
         e.setSettings(settings(12, 4));
     }},
    {"KeyboardNeighboursOfHeldKeys", keyboardEffects(), 126, true,
     [](LightingEngine& e) {
         e.setSettings(settings(24, 0));
         e.keyEvent(52, true);
         e.keyEvent(90, true);
         e.keyEvent(90, false);
     }},
};

INSTANTIATE_TEST_SUITE_P(Scenarios, SleepingEngine, ::testing::ValuesIn(kScenarios),
                         [](const auto& scenario) { return std::string(scenario.param.name); });

} // namespace
} // namespace morva::lighting
