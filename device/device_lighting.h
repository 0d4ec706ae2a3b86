#pragma once

#include "lighting/lighting_driver.h"
#include "lighting/lighting_engine.h"
#include "profiles/profile_records.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace morva::device {

// The built-in effects of a device type, and
// whether the type runs the region overlays (the mouse loads them but never runs them).
const lighting::EffectTable& effectsOfType(uint16_t deviceType);
bool runsRegionOverlays(uint16_t deviceType);

// The lighting a device object carries: the engine that steps its effects (and holds the colour
// of each LED) with the thread that drives it, each LED's effect state, the light settings and
// the two flags the main window sets. The interface paints the
// preview from the engine's LEDs.
struct DeviceLighting {
    static constexpr size_t kLedEffectStateSize = 14;
    using LedEffectState = std::array<uint8_t, kLedEffectStateSize>;

    // The engine is declared before its driver, so the driver and its thread go first.
    std::unique_ptr<lighting::LightingEngine> engine;
    lighting::LightingDriver driver;
    std::vector<LedEffectState> effectState; // per LED
    profiles::LightInfoRecord settings;
    std::atomic<int> output = 1;        // light control: 0 dark, 1 lit
    std::atomic<int> previewActive = 1; // the window is active or the pointer is over it

    ~DeviceLighting() { driver.stop(); }

    // A new engine with every LED of the count dark and a cleared effect state per LED; the
    // lighting thread stops first.
    void reset(size_t ledCount, uint16_t deviceType) {
        driver.stop();
        engine = std::make_unique<lighting::LightingEngine>(effectsOfType(deviceType), ledCount,
                                                            runsRegionOverlays(deviceType));
        effectState.assign(ledCount, LedEffectState{});
    }
};

} // namespace morva::device
