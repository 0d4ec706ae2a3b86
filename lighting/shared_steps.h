#pragma once

#include "lighting/effect_state.h"

// The effect steps every device type shares. Each runs when its effect's step threshold is
// reached, walks the state and paints every LED.
namespace morva::lighting {

// The phase walks the breathing curve; at each return to 0 the colour index moves on by 16 over
// the second wheel (multicolour) — the fixed colour otherwise.
void breathingStep(StepContext& step);
// As breathing, the colour stepping through the four colours at each return to 0.
void fourColourBreathingStep(StepContext& step);
// The fixed colour at the brightness; multicolour: the keyboard grid's columns take colours of
// the wheel, 18 entries apart, and each LED the colour of the column its index stands in.
void staticStep(StepContext& step);
// The phase walks the wheel; every LED its colour.
void spectrumStep(StepContext& step);
// On and off, flipping once (threshold of the speed) × 200 ms has passed; multicolour: the
// wheel colour, 16 entries further at each flip.
void flashStep(StepContext& step);
// As flash, in the four colours: the next one at each flip to on, so every one shows.
void fourColourFlashStep(StepContext& step);
void offStep(StepContext& step);

// Every LED the colour at the intensity.
void paintAll(std::span<LedColour> leds, Rgb colour, uint8_t intensity);
Rgb fixedColourOf(const profiles::LightInfoRecord& settings);

} // namespace morva::lighting
