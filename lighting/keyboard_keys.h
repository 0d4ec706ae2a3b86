#pragma once

#include "lighting/effect_state.h"
#include "lighting/lighting_tables.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

// What the keyboard's effects do to single keys, rows and columns: light them, fade them and
// paint them.
namespace morva::lighting {

// The light settings as the keyboard's steps read them.
inline bool multicolour(const StepContext& step) {
    return step.settings.multiColor != 0;
}
inline bool forwards(const StepContext& step) {
    return step.settings.direction != 0;
}
inline uint8_t brightness(const StepContext& step) {
    return brightnessOf(step.settings.brightness);
}

// A key's value or colour index moved by `amount`, stopping at 0 or at `ceiling`.
inline uint8_t loweredBy(uint8_t value, uint8_t amount) {
    return value > amount ? static_cast<uint8_t>(value - amount) : 0;
}
inline uint8_t raisedBy(uint8_t value, uint8_t amount, uint8_t ceiling = 255) {
    return static_cast<uint8_t>(std::min<int>(value + amount, ceiling));
}

// The wheel colour of a colour index; indices past the wheel's end stay on its last colour.
Rgb wheelColourAt(uint8_t index);

// Value 255, and with `newColour` a random colour index.
void lightKey(EffectState& state, uint8_t position, bool newColour);
// Every key's value fades one step as the chases fade.
void fadeKeys(EffectState& state);

// The LEDs of the key positions (the device may have fewer).
std::span<LedColour> keyLeds(std::span<LedColour> leds);
void paintKey(std::span<LedColour> leds, uint8_t position, LedColour colour);
void paintColumn(std::span<LedColour> leds, size_t column, LedColour colour);
void paintRow(std::span<LedColour> leds, size_t row, LedColour colour);
// Every key its colour (the fixed colour, or in multicolour the wheel colour at its colour
// index) at brightness × its value ÷ 256.
void paintKeys(StepContext& step);

} // namespace morva::lighting
