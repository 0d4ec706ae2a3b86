#pragma once

#include "profiles/profile_records.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace morva::device {

// The lighting a device object carries: the colour of each LED, each LED's effect state, the
// light settings, the marks of the reactive effects and the two flags the main window sets. The
// lighting engine steps it; the interface paints the preview from the colours.
struct DeviceLighting {
    static constexpr size_t kLedEffectStateSize = 14;
    static constexpr size_t kReactiveKeyBytes = 126;
    static constexpr size_t kReactiveColumnBytes = 23;
    using LedEffectState = std::array<uint8_t, kLedEffectStateSize>;

    std::vector<uint32_t> colours;           // 0xRRGGBB per LED
    std::vector<LedEffectState> effectState; // per LED
    profiles::LightInfoRecord settings;
    std::array<uint8_t, kReactiveKeyBytes> reactiveKeys{};
    std::array<uint8_t, kReactiveColumnBytes> reactiveColumns{};
    std::atomic<int> output = 1;        // light control: 0 dark, 1 lit
    std::atomic<int> previewActive = 1; // the window is active or the pointer is over it

    // One black LED with a cleared effect state per LED of the count.
    void reset(size_t ledCount) {
        colours.assign(ledCount, 0u);
        effectState.assign(ledCount, LedEffectState{});
    }
};

} // namespace morva::device
