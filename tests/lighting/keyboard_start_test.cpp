#include "lighting/column_bitmap.h"
#include "lighting/keyboard_grids.h"
#include "lighting/keyboard_steps.h"
#include "lighting/lighting_engine.h"
#include "tests/lighting/keyboard_bench.h"

#include <gtest/gtest.h>
#include <vector>

namespace morva::lighting {
namespace {

TEST(KeyboardPace, EachEffectHasItsThresholdsBySpeed) {
    struct Case {
        uint8_t effect;
        uint8_t speed;
        uint8_t threshold;
    };
    const Case cases[] = {
        {3, 0, 6},  {3, 4, 2},  {3, 5, 1},  {28, 2, 4}, {23, 0, 6}, {24, 1, 5}, // the common pace
        {2, 0, 5},  {2, 4, 1},  {7, 3, 2},  {13, 0, 5},                         // quicker
        {12, 0, 7}, {12, 4, 3}, {12, 5, 1}, {12, 9, 1},                         // slower
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keyboardEffects().thresholdOf(c.effect, c.speed), c.threshold)
            << "effect " << int{c.effect} << " speed " << int{c.speed};
    }
}

TEST(KeyboardPace, CodesWithoutAStepPlayTheEffectFile) {
    for (const uint8_t code : Positions{19, 20, 29, 255}) {
        EXPECT_EQ(keyboardEffects().stepOf(code), nullptr) << int{code};
    }
    for (uint8_t code = 0; code <= 28; ++code) {
        EXPECT_EQ(keyboardEffects().stepOf(code) == nullptr, code == 19 || code == 20) << int{code};
    }
}

// The passes (numbered from 1) at which key 0's LED changed.
std::vector<int> changes(LightingEngine& engine, int passes) {
    std::vector<int> at;
    LedColour last = engine.led(0);
    for (int pass = 1; pass <= passes; ++pass) {
        engine.pass(TickMs(pass) * kPassMs);
        if (engine.led(0) != last) {
            at.push_back(pass);
            last = engine.led(0);
        }
    }
    return at;
}

TEST(KeyboardPace, TheEngineStepsEachEffectAtItsOwnPace) {
    struct Case {
        uint8_t effect;
        uint8_t speed;
        std::vector<int> changes;
    };
    const Case cases[] = {
        {3, 0, {6, 12, 18}},          // spectrum, speed 0: every sixth pass
        {3, 4, {2, 4, 6, 8, 10, 12}}, // speed 4: every second
        {2, 0, {5, 10, 15}},          // falling keys in multicolour: every fifth
    };
    for (const Case& c : cases) {
        LightingEngine engine(keyboardEffects(), kKeyPositions, true);
        profiles::LightInfoRecord light = keyboardLight(c.effect, true);
        light.speed = c.speed;
        engine.setSettings(light);
        EXPECT_EQ(changes(engine, c.changes.back()), c.changes) << "effect " << int{c.effect};
    }
    // The spread from column 9 at speed 4 waits three passes between its steps.
    LightingEngine engine(keyboardEffects(), kKeyPositions, true);
    profiles::LightInfoRecord light = keyboardLight(12);
    engine.setSettings(light);
    engine.pass(kPassMs);
    EXPECT_EQ(engine.passesUntilDue(kPassMs), 2u);
    engine.pass(2 * kPassMs);
    engine.pass(3 * kPassMs);
    EXPECT_EQ(engine.passesUntilDue(3 * kPassMs), 3u) << "it stepped at the third pass";
}

TEST(KeyboardStart, SpreadsTheColourIndicesForAllButTheSelfColouringEffects) {
    std::array<uint8_t, kKeyPositions> spreadOver{};
    for (size_t position = 0; position < kKeyPositions; ++position) {
        spreadOver[position] = static_cast<uint8_t>(33 * (position + 1) % 192);
    }
    EXPECT_EQ(spreadOver[63], 0);
    EXPECT_EQ(spreadOver[125], 126);
    for (uint8_t effect = 0; effect <= 28; ++effect) {
        const KeyboardBench bench(keyboardLight(effect));
        const bool spreads = effect != 12 && effect != 14 && effect != 15 && effect != 21;
        EXPECT_EQ(bench.state.colourIndices == spreadOver, spreads) << "effect " << int{effect};
    }
}

TEST(KeyboardStart, ClearsWhatTheLastEffectLeftButKeepsTheCustomColours) {
    KeyboardBench bench(keyboardLight(7));
    bench.state.keyboard.customColours[3] = {1, 2, 3};
    bench.key(52, true);
    bench.step(3);
    bench.state.phase = 40;
    bench.light.mode = 18;
    StepContext context = bench.contextAt(0);
    startKeyboardEffect(context);
    EXPECT_EQ(bench.state.phase, 0);
    EXPECT_EQ(bench.state.values, decltype(bench.state.values){});
    EXPECT_EQ(bench.state.keyboard.planes, ColumnPlanes{});
    EXPECT_EQ(bench.state.keyboard.customColours[3], (Rgb{1, 2, 3}));
    EXPECT_EQ(bench.state.colourIndices[63], 0) << "18 spreads after its colours";
}

TEST(KeyboardStart, TheColumnSpreadsAreSeededInAllFourPlanes) {
    const KeyboardBench nine(keyboardLight(12));
    const KeyboardBench one(keyboardLight(15));
    for (size_t plane = 0; plane < kColumnPlanes; ++plane) {
        EXPECT_EQ(nine.state.keyboard.planes[plane][9], 0b0100'0000) << "below the bottom row";
        EXPECT_EQ(one.state.keyboard.planes[plane][1], 0b0000'0001) << "the top row";
    }
    EXPECT_EQ(columnBits(nine.state.keyboard.planes, 1), 0);
    EXPECT_EQ(columnBits(one.state.keyboard.planes, 9), 0);
}

TEST(KeyboardStart, TheSpreadFromColumn9LightsNothingUntilTheSeedReachesTheKeys) {
    KeyboardBench bench(keyboardLight(12));
    bench.step();
    EXPECT_TRUE(bench.litKeys().empty()) << "the seed spreads below the keys";
    bench.step();
    EXPECT_TRUE(bench.litKeys().empty()) << "no spread on the second step";
    bench.step();
    EXPECT_EQ(bench.litKeys(), std::vector<uint8_t>{109}) << "column 9's bottom key";
    EXPECT_EQ(bench.leds[109], lit(kFixed, 214)) << "lit, then faded once: 215 × 255 ÷ 256";
}

TEST(KeyboardStart, TheSpreadFromColumn1StartsAtTheTopLeft) {
    KeyboardBench bench(keyboardLight(15));
    bench.step();
    EXPECT_TRUE(bench.litKeys().empty()) << "column 1 has no key in its top row";
    bench.step();
    EXPECT_EQ(bench.litKeys(), (std::vector<uint8_t>{0, 21}));
    EXPECT_EQ(bench.leds[21], lit(kFixed, 214));
}

TEST(KeyboardStart, ThePulsesAreSeededDiagonalByDiagonal) {
    const KeyboardBench sweep(keyboardLight(21));
    const KeyboardBench reverse(keyboardLight(14));
    for (size_t diagonal = 0; diagonal < kDiagonals; ++diagonal) {
        for (const uint8_t position : diagonalGrid()[diagonal]) {
            if (position == kNoKey) {
                continue;
            }
            EXPECT_EQ(sweep.state.colourIndices[position], 7 * diagonal) << int{position};
            EXPECT_EQ(reverse.state.colourIndices[position], 7 * diagonal) << int{position};
        }
    }
    // Key 0 stands on the first diagonal, key 1 on the second, key 117 on the last.
    EXPECT_EQ(sweep.state.keyboard.pulsePhases[0], 0) << "the sweep starts at once";
    EXPECT_EQ(sweep.state.keyboard.pulsePhases[1], 184) << "eight steps later";
    EXPECT_EQ(reverse.state.keyboard.pulsePhases[117], 0);
    EXPECT_EQ(reverse.state.keyboard.pulsePhases[0], 16) << "mid-pulse, from the sweep before";
}

} // namespace
} // namespace morva::lighting
