#pragma once

#include "device/keyboard/keyboard_key_maps.h"
#include "profiles/profile_records.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// A page of the keyboard's own per-key colours (command 0x0B). Each custom group has its page at
// offset group × 512 in the keyboard's light memory; a page holds one colour per LED:
//
//   offset 3n + 0   red of LED n
//   offset 3n + 1   green of LED n
//   offset 3n + 2   blue of LED n          for n < N, the keyboard's key count (N × 3 ≤ 512)
//
// Each on-screen key position gives its colour to the LED the keyboard's LED-index table names
// for it; LEDs that no position reaches, and positions without an LED, stay 0. The colours go as
// painted: the keyboard applies its brightness itself, as the preview does on screen.
namespace morva::device {

inline constexpr size_t kCustomPageBytes = 512;
inline constexpr uint8_t kCustomLightingEffect = 18;

// `keyColours` holds one colour per key position (extra entries are ignored, missing ones are
// dark); the page is `ledCount` × 3 bytes, capped at a whole page.
std::vector<uint8_t> encodeCustomPage(std::span<const profiles::RgbaColor> keyColours,
                                      const KeyboardKeyMaps& maps, size_t ledCount);

// The colour of each key position as a page holds it (positions without an LED read dark).
std::vector<profiles::RgbaColor> decodeCustomPage(std::span<const uint8_t> page,
                                                  const KeyboardKeyMaps& maps);

} // namespace morva::device
