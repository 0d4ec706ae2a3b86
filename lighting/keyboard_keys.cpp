#include "lighting/keyboard_keys.h"

#include "lighting/chase.h"
#include "lighting/lighting_tables.h"
#include "lighting/shared_steps.h"

#include <algorithm>

namespace morva::lighting {

Rgb wheelColourAt(uint8_t index) {
    return colourWheel()[std::min<size_t>(index, kWheelSize - 1)];
}

void lightKey(EffectState& state, uint8_t position, bool newColour) {
    if (position >= kKeyPositions) {
        return;
    }
    state.values[position] = 255;
    if (newColour) {
        state.colourIndices[position] = state.keyboard.random.below(kWheelSize);
    }
}

void fadeKeys(EffectState& state) {
    for (uint8_t& value : state.values) {
        value = faded(value);
    }
}

std::span<LedColour> keyLeds(std::span<LedColour> leds) {
    return leds.first(std::min(leds.size(), kKeyPositions));
}

void paintKey(std::span<LedColour> leds, uint8_t position, LedColour colour) {
    if (position < keyLeds(leds).size()) {
        leds[position] = colour;
    }
}

void paintColumn(std::span<LedColour> leds, size_t column, LedColour colour) {
    for (const uint8_t position : keyboardGrid()[column]) {
        paintKey(leds, position, colour);
    }
}

void paintRow(std::span<LedColour> leds, size_t row, LedColour colour) {
    for (const auto& column : keyboardGrid()) {
        paintKey(leds, column[row], colour);
    }
}

void paintKeys(StepContext& step) {
    const uint8_t level = brightness(step);
    std::span<LedColour> keys = keyLeds(step.leds);
    for (size_t position = 0; position < keys.size(); ++position) {
        const Rgb colour = multicolour(step) ? wheelColourAt(step.state.colourIndices[position])
                                             : fixedColourOf(step.settings);
        keys[position] = lit(colour, scaled(step.state.values[position], level));
    }
}

} // namespace morva::lighting
