#pragma once

#include "base/clock.h"
#include "lighting/keyboard_effect_state.h"
#include "lighting/led_colour.h"
#include "lighting/pass_timing.h"
#include "profiles/profile_records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace morva::lighting {

inline constexpr size_t kPerLedBytes = 126;
inline constexpr size_t kGroupFlags = 23;
static_assert(kPerLedBytes == kKeyPositions);

// What the main effect of a device carries from one step to the next.
struct EffectState {
    uint8_t phase = 0;
    uint8_t colourIndex = 0;
    FlashToggle flash;
    // The chases (and the keyboard's spread from column 9) light every second step.
    bool chaseStepOdd = false;
    std::array<uint8_t, kPerLedBytes> values{};
    std::array<uint8_t, kPerLedBytes> colourIndices{};
    // A ring: rotating moves every flag one place.
    std::array<bool, kGroupFlags> groupFlags{};
    // Only the keyboard's effects use it.
    KeyboardEffectState keyboard;
};

// What one step works on: the state, the light settings, the LEDs and the time.
struct StepContext {
    EffectState& state;
    const profiles::LightInfoRecord& settings;
    std::span<LedColour> leds;
    TickMs now = 0;
};

// Walks a phase through a period: forwards (direction set) by `step`, restarting at 0 when it
// reaches the period; backwards otherwise, restarting at period − step when it would fall below 0.
inline uint8_t walkPhase(uint8_t phase, size_t period, uint8_t step, bool forwards) {
    if (forwards) {
        const size_t next = size_t{phase} + step;
        return next >= period ? 0 : static_cast<uint8_t>(next);
    }
    return phase < step ? static_cast<uint8_t>(period - step) : static_cast<uint8_t>(phase - step);
}

} // namespace morva::lighting
