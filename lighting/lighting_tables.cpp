#include "lighting/lighting_tables.h"

#include <cmath>

namespace morva::lighting {
namespace {

// The wheel's rising and falling ramps, 32 values each.
constexpr std::array<uint8_t, 32> kRise = {1,   3,   5,   7,   10,  14,  18,  22,  26,  32,  38,
                                           44,  50,  57,  65,  73,  81,  89,  99,  109, 119, 129,
                                           140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
constexpr std::array<uint8_t, 32> kFall = {248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124,
                                           114, 104, 94,  85,  77,  69,  61,  53,  47,  41,  35,
                                           29,  24,  20,  16,  12,  8,   6,   4,   2,   0};
// The first half of the breathing curve.
constexpr std::array<uint8_t, 64> kBreathRise = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  14,  16,  18,  20,
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

// A ramp read at a fractional position 0 ≤ t < 32, between its neighbouring values.
double rampAt(const std::array<uint8_t, 32>& ramp, double t) {
    const size_t low = static_cast<size_t>(t);
    if (low + 1 >= ramp.size()) {
        return ramp.back();
    }
    const double fraction = t - static_cast<double>(low);
    return ramp[low] + (ramp[low + 1] - ramp[low]) * fraction;
}

// The colour at a hue 0 ≤ hue < 6: six segments of 32 ramp steps, red → yellow → green → cyan
// → blue → magenta, each segment raising or lowering one channel.
Rgb colourAtHue(double hue) {
    const int segment = static_cast<int>(hue) % 6;
    const double t = (hue - std::floor(hue)) * 32;
    const auto rise = static_cast<uint8_t>(std::lround(rampAt(kRise, t)));
    const auto fall = static_cast<uint8_t>(std::lround(rampAt(kFall, t)));
    switch (segment) {
    case 0:
        return {255, rise, 0};
    case 1:
        return {fall, 255, 0};
    case 2:
        return {0, 255, rise};
    case 3:
        return {0, fall, 255};
    case 4:
        return {rise, 0, 255};
    default:
        return {255, 0, fall};
    }
}

} // namespace

const std::array<Rgb, kWheelSize>& colourWheel() {
    static const auto wheel = [] {
        std::array<Rgb, kWheelSize> table{};
        for (size_t i = 0; i < table.size(); ++i) {
            table[i] = colourAtHue(static_cast<double>(i) / 32);
        }
        return table;
    }();
    return wheel;
}

// The second wheel walks the same six ramps as the first, but not at an even pace: the hue of
// entry i follows straight lines through four fixed points, chosen so that the wheel passes
// exactly through its three known entries:
//   entry 0  at hue 0.125    (green 10 = the rise at step 4: (255, 10, 0)),
//   entry 16 at hue 1.265625 (red 140 halfway between the fall's 146 and 134: (140, 255, 0)),
//   entry 96 at hue 2.265625 (blue 29 halfway between the rise's 26 and 32: (0, 255, 29)),
//   entry 192 at hue 6.125   (entry 0 again, one turn later).
// Between those points the channels follow the first wheel's ramps, read between their values,
// so they rise and fall as smoothly; green rises earlier (by entry 16 it is full) and the cycle
// then slows through green before it catches up through blue and magenta.
const std::array<Rgb, kWheelSize>& secondColourWheel() {
    static const auto wheel = [] {
        constexpr std::array<std::pair<double, double>, 4> kPoints = {
            {{0, 0.125}, {16, 1.265625}, {96, 2.265625}, {192, 6.125}}};
        std::array<Rgb, kWheelSize> table{};
        for (size_t i = 0; i < table.size(); ++i) {
            const double x = static_cast<double>(i);
            size_t k = 0;
            while (x >= kPoints[k + 1].first) {
                ++k;
            }
            const auto [x0, h0] = kPoints[k];
            const auto [x1, h1] = kPoints[k + 1];
            const double hue = h0 + (h1 - h0) * (x - x0) / (x1 - x0);
            table[i] = colourAtHue(std::fmod(hue, 6.0));
        }
        return table;
    }();
    return wheel;
}

const std::array<uint8_t, kBreathingSize>& breathingCurve() {
    static const auto curve = [] {
        std::array<uint8_t, kBreathingSize> table{};
        for (size_t i = 0; i < kBreathRise.size(); ++i) {
            table[i] = kBreathRise[i];
            table[table.size() - 1 - i] = kBreathRise[i];
        }
        return table;
    }();
    return curve;
}

const std::array<uint8_t, kWaveSize>& waveCurve() {
    static const auto curve = [] {
        std::array<uint8_t, kWaveSize> table{};
        for (size_t i = 0; i < 48; ++i) {
            table[i] = kBreathRise[16 + i];
            table[table.size() - 1 - i] = kBreathRise[16 + i];
        }
        return table;
    }();
    return curve;
}

const std::array<uint8_t, kPulseSize>& pulseCurve() {
    static const auto curve = [] {
        constexpr std::array<uint8_t, 25> kAttack = {0,   4,   8,   14,  22,  33,  45,  61,  77,
                                                     84,  100, 110, 120, 130, 140, 150, 158, 166,
                                                     175, 182, 191, 204, 220, 234, 255};
        std::array<uint8_t, kPulseSize> table{};
        size_t at = 0;
        for (const uint8_t value : kAttack) {
            table[at++] = value;
        }
        for (size_t b = 62; b >= 2; --b) {
            table[at++] = kBreathRise[b];
        }
        for (const uint8_t value : {uint8_t{2}, uint8_t{1}, uint8_t{0}}) {
            table[at++] = value;
        }
        return table; // zeros from entry 89 on
    }();
    return curve;
}

const std::array<std::array<uint8_t, kGridRows>, kGridColumns>& keyboardGrid() {
    static constexpr std::array<std::array<uint8_t, kGridRows>, kGridColumns> kGrid = {{
        {126, 120, 121, 122, 123, 124}, {126, 21, 42, 63, 84, 105},    {0, 22, 43, 64, 85, 106},
        {1, 23, 44, 65, 86, 126},       {2, 24, 45, 66, 87, 107},      {3, 25, 46, 67, 88, 126},
        {4, 26, 47, 68, 89, 108},       {126, 27, 48, 69, 90, 126},    {5, 28, 49, 70, 91, 126},
        {6, 29, 50, 71, 92, 109},       {7, 30, 51, 72, 93, 126},      {8, 31, 52, 73, 94, 125},
        {9, 32, 53, 74, 126, 110},      {10, 33, 54, 126, 126, 111},   {11, 34, 55, 75, 95, 126},
        {12, 126, 126, 126, 126, 112},  {13, 35, 56, 126, 126, 113},   {14, 36, 57, 126, 96, 114},
        {15, 37, 58, 126, 126, 115},    {126, 38, 59, 76, 97, 116},    {126, 39, 60, 77, 98, 126},
        {126, 40, 61, 78, 99, 117},     {126, 41, 126, 119, 118, 126},
    }};
    return kGrid;
}

} // namespace morva::lighting
