#pragma once

#include "lighting/effect_state.h"

#include <cstdint>

// The keyboard's own effect steps, by the effect codes of its settings block. The keyboard runs
// the effects itself; these draw the same on the on-screen keyboard.
namespace morva::lighting {

namespace keyboard_effect {
inline constexpr uint8_t kColumnWave = 0;
inline constexpr uint8_t kWideColumnWave = 1;
inline constexpr uint8_t kFallingKeys = 2;
inline constexpr uint8_t kSpectrum = 3;
inline constexpr uint8_t kBreathing = 4;
inline constexpr uint8_t kStatic = 5;
inline constexpr uint8_t kReactiveFade = 6;
inline constexpr uint8_t kReactiveSpread = 7;
inline constexpr uint8_t kReactiveRun = 8;
inline constexpr uint8_t kTwinkle = 9;
inline constexpr uint8_t kColourCycle = 10;
inline constexpr uint8_t kRowWave = 11;
inline constexpr uint8_t kSpreadFromColumn9 = 12;
inline constexpr uint8_t kDemonstration = 13;
inline constexpr uint8_t kReverseSweepPulses = 14;
inline constexpr uint8_t kSpreadFromColumn1 = 15;
inline constexpr uint8_t kModeColour = 16;
inline constexpr uint8_t kRadialRainbow = 17;
inline constexpr uint8_t kCustom = 18;
inline constexpr uint8_t kSweepPulses = 21;
inline constexpr uint8_t kFlash = 22;
inline constexpr uint8_t kFallingKeysAgain = 23;
inline constexpr uint8_t kReactiveNeighbours = 24;
inline constexpr uint8_t kFourColourBreathing = 25;
inline constexpr uint8_t kFourColourFlash = 26;
inline constexpr uint8_t kOff = 27;
inline constexpr uint8_t kSnake = 28;
} // namespace keyboard_effect

// Patterns painted from the phase (keyboard_pattern_steps.cpp).

// The phase walks the wheel (multicolour) or the wave curve; column c is 7 entries further on.
void columnWaveStep(StepContext& step);
// As the column wave, wider: wheel colours 2 entries apart, or the pulse curve 1 apart.
void wideColumnWaveStep(StepContext& step);
// The phase walks the breathing curve; the fixed colour, or in multicolour column c wheel 7c.
void keyboardBreathingStep(StepContext& step);
// The fixed colour; in multicolour ring r of the radial grid wheel 110 − 10r.
void ringStaticStep(StepContext& step);
// Every key's colour index moves on by one over the wheel.
void colourCycleStep(StepContext& step);
// The phase walks the wheel; row r is 7 entries further on, whatever the multicolour flag.
void rowWaveStep(StepContext& step);
// One wheel colour for every key, chosen by the light settings' ZZCC mode.
void modeColourStep(StepContext& step);
// The phase walks the wheel; ring r is 16 entries further on.
void radialRainbowStep(StepContext& step);
// Every key its custom colour at the brightness.
void customColoursStep(StepContext& step);

// Keys lit and fading (keyboard_fading_steps.cpp).

// A row of the falling table lit with colour index 0; values drop by 5, colour indices rise by 3.
void fallingKeysStep(StepContext& step);
// Held keys rise by 15, released keys drop by 5 (the key events light them).
void reactiveFadeStep(StepContext& step);
// Six keys of the random order lit in random colours.
void twinkleStep(StepContext& step);
// The phase walks the snake order and lights its key.
void snakeStep(StepContext& step);

// The column bitmap's waves (keyboard_spread_steps.cpp).

// The pressed keys' bits spread over the keyboard.
void reactiveSpreadStep(StepContext& step);
// The pressed keys' bits run left and right along their row.
void reactiveRunStep(StepContext& step);
// A wave between the top and the row below the bottom of column 9, spreading every second step.
void spreadFromColumn9Step(StepContext& step);
// A wave between the top of column 1 and the row below the bottom of column 22.
void spreadFromColumn1Step(StepContext& step);

// A sweep, running pairs and a spread from the middle, over and over (keyboard_demo_step.cpp).
void demonstrationStep(StepContext& step);

// Pulses sweeping over the diagonals (keyboard_pulse_steps.cpp).
void sweepPulsesStep(StepContext& step);
void reverseSweepPulsesStep(StepContext& step);
// The first frame of the pulses: diagonal d in colour 7d, each diagonal a few steps behind the
// one before it in the sweep's sense.
void seedSweepPulses(EffectState& state);
void seedReverseSweepPulses(EffectState& state);

} // namespace morva::lighting
