#pragma once

#include "lighting/effect_state.h"
#include "lighting/pass_timing.h"

#include <vector>

namespace morva::lighting {

// Plays the steps of a user effect file, one after the other, each for its duration ("Time"),
// for every effect code without a built-in step. It runs on every pass and keeps its own counter.
class EffectFilePlayer {
public:
    // Replaces the steps and starts again from the first.
    void load(std::vector<profiles::LedEffectStep> steps);
    // One pass at `now`; `flashSpeed` is the device's own light-settings speed, which times the
    // flips of a flash step.
    void pass(std::span<LedColour> leds, TickMs now, uint8_t flashSpeed);
    uint32_t passesUntilDue(TickMs now, uint8_t flashSpeed) const;
    void skip(uint32_t passes);

private:
    const profiles::LedEffectStep* current() const;
    void runStep(const profiles::LedEffectStep& step, std::span<LedColour> leds, TickMs now,
                 uint8_t flashSpeed);

    std::vector<profiles::LedEffectStep> steps_;
    size_t index_ = 0;
    uint8_t phase_ = 0;
    uint8_t counter_ = 0;
    bool started_ = false;
    // The current step has painted since it became current.
    bool painted_ = false;
    TickMs stepStartMs_ = 0;
    uint8_t colourIndex_ = 0;
    // The flash step's toggle.
    FlashToggle flash_;
};

} // namespace morva::lighting
