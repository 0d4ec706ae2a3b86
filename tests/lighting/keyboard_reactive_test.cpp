#include "lighting/column_bitmap.h"
#include "lighting/lighting_engine.h"
#include "tests/lighting/keyboard_bench.h"

#include <gtest/gtest.h>
#include <map>

namespace morva::lighting {
namespace {

TEST(KeyboardReactive, TheFadeEffectMarksAKeyHeldOrReleasedAtFullValue) {
    KeyboardBench bench(keyboardLight(6));
    bench.key(30, true);
    EXPECT_EQ(bench.state.keyboard.press[30], KeyPress::Held);
    EXPECT_EQ(bench.state.values[30], 255);
    bench.state.values[30] = 40;
    bench.key(30, false);
    EXPECT_EQ(bench.state.keyboard.press[30], KeyPress::Released);
    EXPECT_EQ(bench.state.values[30], 255);
    bench.step();
    EXPECT_EQ(bench.leds[30], lit(kFixed, scaled(250, 255)));
}

TEST(KeyboardReactive, TheSpreadingEffectsSetTheBitOfAPressOnly) {
    for (const uint8_t effect : Positions{7, 8}) {
        KeyboardBench bench(keyboardLight(effect));
        bench.key(52, true);
        EXPECT_TRUE(keyBitSet(bench.state.keyboard.planes, 52)) << int{effect};
        bench.state.keyboard.planes = {};
        bench.key(52, false);
        EXPECT_EQ(bench.state.keyboard.planes, ColumnPlanes{}) << int{effect};
        EXPECT_EQ(bench.state.values[52], 0);
    }
}

// Key 52 stands at column 11, row 2.
const std::map<uint8_t, uint8_t> kRiseAround52 = {
    {31, 150}, {73, 150}, {51, 150}, {53, 150},                     // beside
    {8, 90},   {94, 90},  {30, 90},  {72, 90},  {32, 90}, {74, 90}, // two rows away, diagonal
    {50, 60},  {54, 60},                                            // two columns away
};

TEST(KeyboardReactive, APressLightsTheKeyAndRaisesItsNeighbours) {
    KeyboardBench bench(keyboardLight(24));
    bench.state.values[31] = 200;
    bench.key(52, true);
    EXPECT_TRUE(bench.state.keyboard.pressed[52]);
    EXPECT_EQ(bench.state.values[52], 255);
    for (const auto& [position, rise] : kRiseAround52) {
        EXPECT_EQ(bench.state.values[position], position == 31 ? 255 : rise) << int{position};
        EXPECT_EQ(bench.state.keyboard.press[position], KeyPress::Held) << int{position};
    }
    EXPECT_EQ(bench.state.values[29], 0) << "three columns away";
    EXPECT_EQ(bench.state.keyboard.press[29], KeyPress::None);
}

TEST(KeyboardReactive, AReleaseDropsTheNeighboursNoOtherPressedKeyHolds) {
    KeyboardBench bench(keyboardLight(24));
    bench.key(52, true);
    bench.key(52, false);
    EXPECT_FALSE(bench.state.keyboard.pressed[52]);
    EXPECT_EQ(bench.state.keyboard.press[52], KeyPress::Released);
    EXPECT_EQ(bench.state.values[52], 255) << "the step fades it";
    const std::map<uint8_t, uint8_t> left = {{31, 135}, {51, 135}, {8, 0}, {30, 0}, {50, 0}};
    for (const auto& [position, value] : left) {
        EXPECT_EQ(bench.state.values[position], value) << int{position};
        EXPECT_EQ(bench.state.keyboard.press[position], KeyPress::Released) << int{position};
    }
}

TEST(KeyboardReactive, KeysAroundAnotherPressedKeyStayHeld) {
    KeyboardBench bench(keyboardLight(24));
    bench.key(52, true);
    bench.key(53, true); // column 12, row 2
    const auto before = bench.state.values;
    bench.key(52, false);
    EXPECT_EQ(bench.state.keyboard.press[52], KeyPress::Held) << "53 is its neighbour";
    EXPECT_EQ(bench.state.keyboard.press[53], KeyPress::Held) << "pressed itself";
    for (const uint8_t kept : Positions{51, 54, 31, 73, 32, 74}) {
        EXPECT_EQ(bench.state.keyboard.press[kept], KeyPress::Held) << int{kept};
        EXPECT_EQ(bench.state.values[kept], before[kept]) << int{kept};
    }
    EXPECT_EQ(bench.state.keyboard.press[50], KeyPress::Released) << "too far from 53";
    EXPECT_EQ(bench.state.keyboard.press[8], KeyPress::Released) << "too far from 53";
}

// The parts of the state a key event may touch.
struct Touched {
    std::array<uint8_t, kKeyPositions> values;
    std::array<KeyPress, kKeyPositions> press;
    std::array<bool, kKeyPositions> pressed;
    ColumnPlanes planes;

    explicit Touched(const EffectState& state)
        : values(state.values), press(state.keyboard.press), pressed(state.keyboard.pressed),
          planes(state.keyboard.planes) {}
    bool operator==(const Touched&) const = default;
};

TEST(KeyboardReactive, OtherEffectsAndPositionsBeyondTheKeysIgnoreKeyEvents) {
    for (const uint8_t effect : Positions{0, 5, 9, 12, 13, 18, 27, 28}) {
        KeyboardBench bench(keyboardLight(effect));
        bench.step(3);
        const Touched before(bench.state);
        bench.key(52, true);
        bench.key(52, false);
        bench.key(30, false);
        EXPECT_TRUE(Touched(bench.state) == before) << "effect " << int{effect};
    }
    for (const uint8_t effect : Positions{6, 7, 8, 24}) {
        KeyboardBench bench(keyboardLight(effect));
        const Touched before(bench.state);
        for (const uint8_t beyond : Positions{126, 200, 255}) {
            bench.key(beyond, true);
            bench.key(beyond, false);
        }
        EXPECT_TRUE(Touched(bench.state) == before) << "effect " << int{effect};
    }
}

TEST(KeyboardReactive, TheEngineTakesKeyEventsAndCustomColoursBetweenPasses) {
    LightingEngine engine(keyboardEffects(), kKeyPositions, true);
    engine.setSettings(keyboardLight(6));
    engine.keyEvent(30, true);
    engine.pass(kPassMs);
    engine.pass(2 * kPassMs);
    EXPECT_EQ(engine.led(30), lit(kFixed, 254));
    EXPECT_EQ(engine.led(31), lit(kFixed, 0));

    const Rgb colours[] = {{1, 2, 3}, {4, 5, 6}};
    engine.setCustomColours(colours);
    engine.setSettings(keyboardLight(18));
    engine.setSettings(keyboardLight(0));
    engine.setSettings(keyboardLight(18));
    engine.pass(3 * kPassMs);
    engine.pass(4 * kPassMs);
    EXPECT_EQ(engine.led(1), lit({4, 5, 6}, 255)) << "kept through effect changes";
    EXPECT_EQ(engine.led(2), lit({0, 0, 0}, 255)) << "beyond the colours given";

    LightingEngine mouse(mouseEffects(), 6, false);
    mouse.setSettings(keyboardLight(6));
    mouse.keyEvent(3, true);
    mouse.pass(kPassMs);
    EXPECT_EQ(mouse.led(3), LedColour{}) << "the mouse has no reactive effects";
}

} // namespace
} // namespace morva::lighting
