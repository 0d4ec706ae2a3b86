#pragma once

#include "lighting/led_colour.h"

#include <cstdint>
#include <span>
#include <vector>

namespace morva::lighting {

// The live light frame a mouse or mouse pad receives with command 0x12 at every lighting refresh:
//
//   byte 3i     red   of LED i × its intensity ÷ 256
//   byte 3i + 1 green of LED i × its intensity ÷ 256
//   byte 3i + 2 blue  of LED i × its intensity ÷ 256
//
// for every LED in order (index 126 is never an LED and is left out).
std::vector<uint8_t> encodeLiveFrame(std::span<const LedColour> leds);
// The LEDs a frame shows, at full intensity (for tools and tests that read frames back).
std::vector<Rgb> decodeLiveFrame(std::span<const uint8_t> frame);

} // namespace morva::lighting
