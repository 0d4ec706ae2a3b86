#pragma once

#include "macros/macro_event.h"

#include <array>
#include <cstdint>
#include <vector>

namespace morva::macros {

// The four-byte form of an event in the macro memory images of keyboards and mice:
//
//   byte 0  delay, bits 0..7
//   byte 1  delay, bits 8..15 (higher bits are dropped)
//   byte 2  type in bits 0..6; bit 7 set for a press ("down")
//   byte 3  button, low 8 bits
//
// "up, type 1, button 4, delay 300" packs as 2C 01 01 04.
using PackedMacroEvent = std::array<uint8_t, 4>;

inline constexpr uint8_t kPackedPressBit = 0x80;

PackedMacroEvent packMacroEvent(const MacroEvent& event);
// Each event packed, in order.
std::vector<PackedMacroEvent> packMacroEvents(const std::vector<MacroEvent>& events);

} // namespace morva::macros
