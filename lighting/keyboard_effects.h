#pragma once

#include "lighting/effect_state.h"

#include <cstdint>

// What starts the keyboard's effects besides their steps: the effect change and the keys.
namespace morva::lighting {

// Run when the effect code changes: everything an effect runs on is cleared (the custom colours
// stay), then the new effect gets its seed, and all but the effects that colour their keys
// themselves spread the keys' colour indices over the wheel.
void startKeyboardEffect(StepContext& step);
// A key went down or up: the reactive effects light it (6), set its bit (7, 8) or light it and
// its neighbours (24); other effects and positions beyond the keys ignore it.
void keyboardKeyEvent(StepContext& step, uint8_t position, bool pressed);

} // namespace morva::lighting
