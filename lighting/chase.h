#pragma once

#include "lighting/effect_state.h"

// The chase helpers: a per-LED value that fades step by step, and a ring of 23 group flags that
// rotates, lighting what it flags as it passes.
namespace morva::lighting {

// The value drops by 40 from 128, by 30 from 64, by 10 from 32, by 8 above 16, else by 1 to 0.
uint8_t faded(uint8_t value);
// Groups 0–8 whose flag is set get value 255 (the mouse's groups of three LEDs).
void lightFlaggedGroups(EffectState& state);
// LED n gets value 255 for every set flag n from 1 below the LED count (mouse pad, headset).
void lightFlaggedLeds(EffectState& state, size_t ledCount);
// Forwards: flag 22 moves to position 0 and the others one place up; backwards the other way.
// Only the first `length` flags turn (the whole ring by default).
void rotateFlags(EffectState& state, bool forwards, size_t length = kGroupFlags);
// All values and flags 0.
void clearChase(EffectState& state);

} // namespace morva::lighting
