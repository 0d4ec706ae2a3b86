#include "lighting/chase.h"

#include <algorithm>

namespace morva::lighting {

uint8_t faded(uint8_t value) {
    if (value >= 128) {
        return static_cast<uint8_t>(value - 40);
    }
    if (value >= 64) {
        return static_cast<uint8_t>(value - 30);
    }
    if (value >= 32) {
        return static_cast<uint8_t>(value - 10);
    }
    if (value > 16) {
        return static_cast<uint8_t>(value - 8);
    }
    return value > 0 ? static_cast<uint8_t>(value - 1) : 0;
}

void lightFlaggedGroups(EffectState& state) {
    for (size_t group = 0; group < 9; ++group) {
        if (state.groupFlags[group]) {
            state.values[group] = 255;
        }
    }
}

void lightFlaggedLeds(EffectState& state, size_t ledCount) {
    for (size_t led = 1; led < std::min(ledCount, kGroupFlags); ++led) {
        if (state.groupFlags[led]) {
            state.values[led] = 255;
        }
    }
}

void rotateFlags(EffectState& state, bool forwards, size_t length) {
    auto first = state.groupFlags.begin();
    auto last = first + static_cast<std::ptrdiff_t>(std::min(length, kGroupFlags));
    if (forwards) {
        std::rotate(first, last - 1, last);
    } else {
        std::rotate(first, first + 1, last);
    }
}

void clearChase(EffectState& state) {
    state.values.fill(0);
    state.groupFlags.fill(false);
}

} // namespace morva::lighting
