#pragma once

#include "lighting/effect_state.h"

#include <array>
#include <cstdint>

// The built-in effects of each device type, by effect code.
namespace morva::lighting {

using StepFunction = void (*)(StepContext&);

struct EffectTable {
    // The step of effect codes 0–8; null, and every code beyond, plays the effect file instead.
    std::array<StepFunction, 9> steps{};
    // Passes between two steps, by speed 0–5.
    std::array<uint8_t, 6> thresholds{};

    StepFunction stepOf(uint8_t code) const { return code < steps.size() ? steps[code] : nullptr; }
    uint8_t thresholdOf(uint8_t speed) const {
        return thresholds[speed < thresholds.size() ? speed : thresholds.size() - 1];
    }
};

const EffectTable& mouseEffects();
const EffectTable& mousePadEffects();
const EffectTable& headsetEffects();

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
