#pragma once

#include "lighting/led_colour.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// The headset takes its 13 LEDs as twelve 17-byte output reports per frame, one per target,
// colour channel and half of the LEDs:
//
//   byte 0        0xFF, the report id
//   byte 1        target: 0x22 or 0x44
//   byte 2        register block: 0xAA red LEDs 0–6, 0xAD red 7–12, 0xAB green 0–6,
//                 0xAE green 7–12, 0xAC blue 0–6, 0xAF blue 7–12
//   byte 3        0
//   bytes 4..10   one channel value per LED, (channel × intensity) ÷ 256 limited to 247;
//                 the blocks of LEDs 7–12 fill bytes 4..9
//   bytes 11..16  0
//
// A frame goes out red, green, blue; within a channel the low then the high block to 0x22, then
// the same two to 0x44.
namespace morva::device {

inline constexpr size_t kHeadsetLedCount = 13;
inline constexpr size_t kHeadsetReportSize = 17;
inline constexpr size_t kHeadsetReportsPerFrame = 12;
inline constexpr uint8_t kHeadsetReportId = 0xFF;
inline constexpr uint8_t kHeadsetChannelLimit = 247;
using HeadsetReport = std::array<uint8_t, kHeadsetReportSize>;
using HeadsetFrame = std::array<HeadsetReport, kHeadsetReportsPerFrame>;

// LEDs beyond the span are dark; LEDs beyond the thirteenth are not sent.
HeadsetFrame encodeHeadsetFrame(std::span<const lighting::LedColour> leds);

} // namespace morva::device
