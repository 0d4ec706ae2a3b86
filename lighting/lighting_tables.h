#pragma once

#include "lighting/led_colour.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The engine's constant tables.
namespace morva::lighting {

inline constexpr size_t kWheelSize = 192;
inline constexpr size_t kBreathingSize = 128;
inline constexpr size_t kWaveSize = 96;
inline constexpr size_t kPulseSize = 192;
inline constexpr size_t kGridColumns = 23;
inline constexpr size_t kGridRows = 6;
// A keyboard grid cell without a key; also never an LED.
inline constexpr uint8_t kNoKey = 126;

// Intensity of brightness level 0–4.
inline constexpr std::array<uint8_t, 5> kBrightness = {30, 80, 135, 195, 255};
// Passes between two steps of an effect, by speed 0–5 (mouse, mouse pad, headset).
inline constexpr std::array<uint8_t, 6> kStepThresholds = {28, 23, 18, 13, 7, 0};
inline constexpr std::array<Rgb, 4> kFourColours = {Rgb{0, 255, 180}, Rgb{0, 255, 0},
                                                    Rgb{255, 255, 255}, Rgb{255, 0, 0}};

const std::array<Rgb, kWheelSize>& colourWheel();
// The wheel breathing uses in multicolour: the same cycle with an earlier rise.
const std::array<Rgb, kWheelSize>& secondColourWheel();
const std::array<uint8_t, kBreathingSize>& breathingCurve();
const std::array<uint8_t, kWaveSize>& waveCurve();
const std::array<uint8_t, kPulseSize>& pulseCurve();
// For each of 23 columns its 6 key positions, top to bottom; kNoKey where there is none.
const std::array<std::array<uint8_t, kGridRows>, kGridColumns>& keyboardGrid();

// The intensity of a brightness level; levels above 4 count as 4.
inline uint8_t brightnessOf(uint8_t level) {
    return kBrightness[level < kBrightness.size() ? level : kBrightness.size() - 1];
}
// The step threshold of a speed; speeds above 5 count as 5.
inline uint8_t thresholdOf(uint8_t speed) {
    return kStepThresholds[speed < kStepThresholds.size() ? speed : kStepThresholds.size() - 1];
}

// How long a flash stays on or off at a speed: its step threshold × 200 ms.
inline uint64_t flashPeriodMs(uint8_t speed) {
    return uint64_t{thresholdOf(speed)} * 200;
}

} // namespace morva::lighting
