#include "lighting/key_orders.h"
#include "lighting/keyboard_grids.h"
#include "lighting/keyboard_steps.h"
#include "lighting/lighting_tables.h"
#include "tests/lighting/keyboard_bench.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace morva::lighting {
namespace {

struct KeyAfterSteps {
    const char* what;
    profiles::LightInfoRecord light;
    int steps;
    uint8_t position;
    LedColour expected;
};

void expectKeys(std::initializer_list<KeyAfterSteps> cases) {
    for (const KeyAfterSteps& c : cases) {
        KeyboardBench bench(c.light);
        bench.step(c.steps);
        EXPECT_EQ(bench.leds[c.position], c.expected) << c.what;
    }
}

TEST(KeyboardPatterns, WavesColourTheColumnsAndRowsOfTheGrid) {
    expectKeys({
        {"column wave, key 0 in column 2: wave curve 16", keyboardLight(0), 1, 0, lit(kFixed, 76)},
        {"column wave, key 1 in column 3: wave curve 23", keyboardLight(0), 1, 1, lit(kFixed, 108)},
        {"column wave in multicolour: wheel 16", keyboardLight(0, true), 1, 0,
         lit({255, 81, 0}, 255)},
        {"column wave backwards: wheel 14", keyboardLight(0, true, false), 1, 0,
         lit({255, 65, 0}, 255)},
        {"column wave: a key off the grid stays dark", keyboardLight(0, true), 5, 16, {}},
        {"wide column wave: pulse curve 3", keyboardLight(1), 1, 0, lit(kFixed, 13)},
        {"wide column wave in multicolour: wheel 5", keyboardLight(1, true), 1, 0,
         lit({255, 14, 0}, 255)},
        {"row wave, key 42 in row 2: wheel 16", keyboardLight(11), 1, 42, lit({255, 81, 0}, 255)},
        {"row wave, key 120 in row 1: wheel 9", keyboardLight(11, true), 1, 120,
         lit({255, 32, 0}, 255)},
    });
}

TEST(KeyboardPatterns, BreathingStaticAndTheRadialRainbow) {
    expectKeys({
        {"breathing at the top of the curve", keyboardLight(4), 64, 16, lit(kFixed, 254)},
        {"breathing in multicolour: column 2 wheel 14", keyboardLight(4, true), 64, 0,
         lit({255, 65, 0}, 254)},
        {"static", keyboardLight(5), 1, 52, lit(kFixed, 255)},
        {"static in multicolour: ring 0 wheel 110", keyboardLight(5, true), 1, 52,
         lit({0, 85, 255}, 255)},
        {"static in multicolour: ring 11 wheel 0", keyboardLight(5, true), 1, 124,
         lit({255, 1, 0}, 255)},
        {"static in multicolour: off the rings the fixed colour", keyboardLight(5, true), 1, 16,
         lit(kFixed, 255)},
        {"radial rainbow: ring 0 wheel 1", keyboardLight(17), 1, 52, lit({255, 3, 0}, 255)},
        {"radial rainbow: ring 11 wheel 177", keyboardLight(17), 1, 124, lit({255, 0, 61}, 255)},
    });
}

TEST(KeyboardPatterns, TheZzccModeChoosesOneColourForEveryKey) {
    const std::pair<uint8_t, Rgb> modes[] = {{1, {255, 176, 0}},
                                             {2, {0, 255, 18}},
                                             {3, {0, 255, 255}},
                                             {0, {255, 0, 85}},
                                             {4, {255, 0, 85}}};
    for (const auto& [mode, colour] : modes) {
        KeyboardBench bench(keyboardLight(16, false, true, 2));
        bench.light.zzccMode = mode;
        bench.step();
        EXPECT_EQ(bench.leds[0], lit(colour, 135)) << int{mode};
        EXPECT_EQ(bench.leds[125], lit(colour, 135)) << int{mode};
    }
}

TEST(KeyboardPatterns, TheColourCycleMovesEveryKeyOnOverTheWheel) {
    KeyboardBench bench(keyboardLight(10));
    bench.state.colourIndices[7] = 191;
    bench.step();
    EXPECT_EQ(bench.leds[63], lit({255, 3, 0}, 255)) << "spread to 0, now 1";
    EXPECT_EQ(bench.leds[0], lit({220, 255, 0}, 255)) << "spread to 33, now 34";
    EXPECT_EQ(bench.leds[7], lit({255, 1, 0}, 255)) << "191 wraps to 0";
}

TEST(KeyboardPatterns, TheCustomEffectShowsEachKeysColourAtTheBrightness) {
    KeyboardBench bench(keyboardLight(18, true, true, 2));
    bench.state.keyboard.customColours[0] = {1, 2, 3};
    bench.state.keyboard.customColours[125] = {200, 100, 0};
    bench.step();
    EXPECT_EQ(bench.leds[0], lit({1, 2, 3}, 135));
    EXPECT_EQ(bench.leds[125], lit({200, 100, 0}, 135));
    EXPECT_EQ(bench.leds[1], lit({0, 0, 0}, 135));
}

TEST(KeyboardFadingKeys, FallingKeysLightTheirRowAndDropBy5) {
    for (const uint8_t effect : Positions{2, 23}) {
        KeyboardBench bench(keyboardLight(effect));
        bench.step();
        const auto& row = fallingTable()[1];
        for (size_t position = 0; position < kKeyPositions; ++position) {
            const bool falling = std::find(row.begin(), row.end(), position) != row.end();
            EXPECT_EQ(bench.leds[position], falling ? lit(kFixed, 249) : lit(kFixed, 0))
                << "effect " << int{effect} << " key " << position;
        }
    }
}

TEST(KeyboardFadingKeys, InMulticolourFallingKeysWalkTheWheelFromItsStart) {
    KeyboardBench bench(keyboardLight(2, true));
    bench.step();
    const uint8_t falling = fallingTable()[1][0];
    EXPECT_EQ(bench.leds[falling], lit({255, 7, 0}, 255)) << "index 0, then 3";
    EXPECT_EQ(bench.leds[16], lit({255, 0, 41}, 255)) << "a dark key: its spread index 177, + 3";
    bench.step(30);
    EXPECT_EQ(bench.state.colourIndices[16], 255) << "177 + 3 per step, no further";
    EXPECT_EQ(bench.leds[16], lit({255, 0, 0}, 255)) << "past the wheel: its last colour";
}

TEST(KeyboardFadingKeys, HeldKeysRiseAndReleasedKeysFade) {
    struct Case {
        KeyPress press;
        uint8_t before;
        uint8_t after;
    };
    const Case cases[] = {{KeyPress::Held, 100, 115}, {KeyPress::Held, 250, 255},
                          {KeyPress::Held, 255, 255}, {KeyPress::Released, 200, 195},
                          {KeyPress::Released, 3, 0}, {KeyPress::None, 77, 77}};
    for (const uint8_t effect : Positions{6, 24}) {
        KeyboardBench bench(keyboardLight(effect));
        for (uint8_t i = 0; i < std::size(cases); ++i) {
            bench.state.keyboard.press[i] = cases[i].press;
            bench.state.values[i] = cases[i].before;
        }
        bench.step();
        for (uint8_t i = 0; i < std::size(cases); ++i) {
            EXPECT_EQ(bench.state.values[i], cases[i].after)
                << "effect " << int{effect} << " " << int{i};
            EXPECT_EQ(bench.leds[i], lit(kFixed, scaled(cases[i].after, 255)));
        }
    }
}

TEST(KeyboardFadingKeys, TwinkleLightsUpToSixKeysOfTheRandomOrderInRandomColours) {
    KeyboardBench bench(keyboardLight(9));
    bench.step();
    const std::vector<uint8_t> lit = bench.litKeys();
    EXPECT_GE(lit.size(), 1u);
    EXPECT_LE(lit.size(), 6u);
    for (const uint8_t position : lit) {
        EXPECT_NE(std::find(randomOrder().begin(), randomOrder().end(), position),
                  randomOrder().end());
        EXPECT_EQ(bench.state.values[position], 215) << "lit, then faded once";
        EXPECT_NE(bench.state.colourIndices[position], 33 * (position + 1) % 192);
    }
}

TEST(KeyboardFadingKeys, TheSnakeWalksItsOrderEitherWay) {
    KeyboardBench forwards(keyboardLight(28));
    forwards.step();
    EXPECT_EQ(forwards.litKeys(), std::vector<uint8_t>{1});
    EXPECT_EQ(forwards.leds[1], lit(kFixed, 213)) << "254, faded once";
    forwards.step();
    EXPECT_EQ(forwards.litKeys(), (std::vector<uint8_t>{1, 2}));

    KeyboardBench backwards(keyboardLight(28, false, false));
    backwards.step(16);
    EXPECT_TRUE(backwards.litKeys().empty()) << "the end of the order holds no keys";
    backwards.step();
    EXPECT_EQ(backwards.litKeys(), std::vector<uint8_t>{124}) << "the snake's last key";
}

TEST(KeyboardSpreads, PressedBitsSpreadOrRunAlongTheRow) {
    struct Case {
        uint8_t effect;
        std::vector<uint8_t> litAfterTwoSteps;
    };
    const Case cases[] = {{7, {31, 51, 52, 53, 73}}, {8, {51, 52, 53}}};
    for (const Case& c : cases) {
        KeyboardBench bench(keyboardLight(c.effect));
        bench.key(52, true);
        bench.step();
        EXPECT_EQ(bench.litKeys(), std::vector<uint8_t>{52});
        EXPECT_EQ(bench.leds[52], lit(kFixed, 214));
        bench.step();
        EXPECT_EQ(bench.litKeys(), c.litAfterTwoSteps) << "effect " << int{c.effect};
        EXPECT_EQ(bench.leds[52], lit(kFixed, 174)) << "faded twice: 175";
        EXPECT_EQ(bench.leds[51], lit(kFixed, 214));
    }
}

TEST(KeyboardDemonstration, RunsItsFiveStagesAndStartsAgain) {
    KeyboardBench bench(keyboardLight(13));
    bench.step();
    EXPECT_EQ(bench.litKeys(), (std::vector<uint8_t>{21, 42, 63, 84, 105})) << "column 1";
    std::vector<DemoStage> stages = {DemoStage::Sweep};
    bool lastKeyLitWhenWaiting = false;
    for (int step = 1; step < 2000 && stages.size() < 6; ++step) {
        bench.step();
        if (bench.state.keyboard.demoStage != stages.back()) {
            stages.push_back(bench.state.keyboard.demoStage);
            if (stages.back() == DemoStage::Wait) {
                lastKeyLitWhenWaiting = bench.state.values[124] != 0;
            }
        }
    }
    EXPECT_EQ(stages,
              (std::vector<DemoStage>{DemoStage::Sweep, DemoStage::Pairs, DemoStage::Seed,
                                      DemoStage::Spread, DemoStage::Wait, DemoStage::Sweep}));
    EXPECT_TRUE(lastKeyLitWhenWaiting);
}

TEST(KeyboardDemonstration, ThePairsStageWaitsForKey72ToGoDark) {
    KeyboardBench bench(keyboardLight(13));
    bench.step(20 + 31);
    ASSERT_EQ(bench.state.keyboard.demoStage, DemoStage::Pairs);
    ASSERT_NE(bench.state.values[72], 0) << "lit by the pairs at their 24th step";
    int waited = 0;
    while (bench.state.values[72] != 0) {
        EXPECT_EQ(bench.state.keyboard.demoStage, DemoStage::Pairs);
        bench.step();
        ++waited;
    }
    EXPECT_GT(waited, 0);
    bench.step();
    EXPECT_EQ(bench.state.keyboard.demoStage, DemoStage::Seed);
}

TEST(KeyboardPulses, TheFirstSweepShowsTheSeedColoursAndLaterSweepsOneColourEach) {
    KeyboardBench bench(keyboardLight(21));
    bench.step();
    EXPECT_EQ(bench.leds[0], lit({255, 1, 0}, 3)) << "diagonal 0: wheel 0, pulse curve 1";
    EXPECT_EQ(bench.leds[1], lit({255, 22, 0}, 0)) << "diagonal 1: wheel 7, not yet";
    bench.step(8);
    EXPECT_EQ(bench.leds[1], lit({255, 22, 0}, 3)) << "diagonal 1 eight steps later";

    bench.step(96 - 9);
    // The first diagonals' pulses have gone dark and taken the first key's new colour for the
    // next sweep; the third has not yet.
    const uint8_t next = bench.state.colourIndices[sweepOrder()[0]];
    for (const size_t diagonal : {size_t{0}, size_t{1}}) {
        for (const uint8_t position : diagonalGrid()[diagonal]) {
            if (position != kNoKey) {
                EXPECT_EQ(bench.state.colourIndices[position], next) << int{position};
            }
        }
    }
    EXPECT_EQ(bench.state.colourIndices[diagonalGrid()[2][0]], 14);
}

TEST(KeyboardPulses, TheReverseSweepStartsAtTheRight) {
    KeyboardBench bench(keyboardLight(14));
    bench.step();
    EXPECT_EQ(bench.leds[117], lit(colourWheel()[7 * 22], 3));
    EXPECT_EQ(bench.leds[41], lit(colourWheel()[7 * 21], 0)) << "diagonal 21: eight steps later";
    EXPECT_EQ(reverseSweepOrder()[0], 117);
}

} // namespace
} // namespace morva::lighting
