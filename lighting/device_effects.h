#pragma once

#include "lighting/effect_state.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// The built-in effects of each device type, by effect code.
namespace morva::lighting {

using StepFunction = void (*)(StepContext&);
// What a key going down or up does to the effect (the keyboard's reactive effects).
using KeyEventFunction = void (*)(StepContext&, uint8_t position, bool pressed);
// Passes between two steps, by speed 0–5.
using Thresholds = std::array<uint8_t, 6>;

// The most effect codes a device type has a built-in step for (the keyboard's 0–28).
inline constexpr size_t kMostStepCodes = 29;

// An effect that steps at a pace of its own.
struct OwnThresholds {
    uint8_t code = 0;
    Thresholds bySpeed{};
};

struct EffectTable {
    // The step of each effect code; null, and every code beyond, plays the effect file instead.
    std::array<StepFunction, kMostStepCodes> steps{};
    // The pace of every step...
    Thresholds thresholds{};
    // ...but for these effects.
    std::span<const OwnThresholds> ownThresholds{};
    // Run when the effect code changes (and for the first effect); null: everything back to the
    // start, as resetForNewEffect does.
    StepFunction start = nullptr;
    // Null: key events change nothing.
    KeyEventFunction keyEvent = nullptr;

    StepFunction stepOf(uint8_t code) const { return code < steps.size() ? steps[code] : nullptr; }
    // The threshold of effect `code` at `speed`; speeds above 5 count as 5.
    uint8_t thresholdOf(uint8_t code, uint8_t speed) const;
};

const EffectTable& mouseEffects();
const EffectTable& mousePadEffects();
const EffectTable& headsetEffects();
// The keyboard's own effect set, its start routine and its reactive effects.
const EffectTable& keyboardEffects();

// What an effect change does to the state: everything back to the start, and the chase ring
// seeded with flag 0 so that the chases have something to run.
void resetForNewEffect(EffectState& state);

// The LED wave of the mouse and the mouse pad (wheel colours 7 entries apart per LED; the wave
// curve 7 entries apart) and of the headset (16 entries apart; the curve walked 3 at a time, 10
// entries apart).
void mouseLedWaveStep(StepContext& step);
void headsetLedWaveStep(StepContext& step);
// The mouse's chase over 9 groups of three LEDs (group g on LEDs 3g to 3g + 2; LEDs beyond the
// count are skipped).
void mouseChaseStep(StepContext& step);
// The mouse pad's and the headset's chases: along the LEDs (effect 6) and over the seven LED
// pairs (1, 14) … (7, 8) (effect 7).
void chaseAlongLedsStep(StepContext& step);
void chaseOverPairsStep(StepContext& step);

} // namespace morva::lighting
