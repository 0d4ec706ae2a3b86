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

// The colour word of an LED as the preview paints it: red | green << 8 | blue << 16, with the
// intensity as alpha in the top byte.
inline uint32_t colourWord(const LedColour& led) {
    return uint32_t{led.red} | uint32_t{led.green} << 8 | uint32_t{led.blue} << 16 |
           uint32_t{led.intensity} << 24;
}
inline LedColour ledOfWord(uint32_t word) {
    return {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8),
            static_cast<uint8_t>(word >> 16), static_cast<uint8_t>(word >> 24)};
}

// value × level ÷ 256, the engine's way of scaling an intensity.
inline uint8_t scaled(uint8_t value, uint8_t level) {
    return static_cast<uint8_t>(value * level / 256);
}

} // namespace morva::lighting
