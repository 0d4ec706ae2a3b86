#pragma once

#include "lighting/device_effects.h"
#include "lighting/keyboard_effects.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace morva::lighting {

// Key positions or effect codes to run a test over.
using Positions = std::initializer_list<uint8_t>;

// The fixed colour of the keyboard tests' light settings.
inline constexpr Rgb kFixed = {10, 20, 30};

inline profiles::LightInfoRecord keyboardLight(uint8_t effect, bool multicolour = false,
                                               bool forwards = true, uint8_t brightness = 4) {
    profiles::LightInfoRecord record;
    record.mode = effect;
    record.brightness = brightness;
    record.speed = 4;
    record.direction = forwards ? 1 : 0;
    record.multiColor = multicolour ? 1 : 0;
    record.red = kFixed.red;
    record.green = kFixed.green;
    record.blue = kFixed.blue;
    return record;
}

// The keyboard's 126 keys and effect state, started on an effect and stepped by hand.
struct KeyboardBench {
    explicit KeyboardBench(const profiles::LightInfoRecord& settings)
        : light(settings), leds(kKeyPositions) {
        StepContext context = contextAt(0);
        startKeyboardEffect(context);
    }

    StepContext contextAt(TickMs now) { return {state, light, leds, now}; }
    void step(int steps = 1) {
        for (int i = 0; i < steps; ++i) {
            StepContext context = contextAt(0);
            keyboardEffects().stepOf(light.mode)(context);
        }
    }
    void key(uint8_t position, bool pressed) {
        StepContext context = contextAt(0);
        keyboardKeyEvent(context, position, pressed);
    }
    std::vector<uint8_t> litKeys() const {
        std::vector<uint8_t> lit;
        for (size_t position = 0; position < leds.size(); ++position) {
            if (leds[position].intensity != 0) {
                lit.push_back(static_cast<uint8_t>(position));
            }
        }
        return lit;
    }

    profiles::LightInfoRecord light;
    EffectState state;
    std::vector<LedColour> leds;
};

} // namespace morva::lighting
