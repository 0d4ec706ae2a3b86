#pragma once

#include <cstdint>

namespace morva::lighting {

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

// One LED as the engine leaves it: a colour and an intensity (0 dark, 255 full).
struct LedColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t intensity = 0;

    bool operator==(const LedColour&) const = default;
};

inline LedColour lit(Rgb colour, uint8_t intensity) {
    return {colour.red, colour.green, colour.blue, intensity};
}

// value × level ÷ 256, the engine's way of scaling an intensity.
inline uint8_t scaled(uint8_t value, uint8_t level) {
    return static_cast<uint8_t>(value * level / 256);
}

} // namespace morva::lighting
