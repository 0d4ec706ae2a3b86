#include "lighting/column_bitmap.h"
#include "lighting/keyboard_effects.h"
#include "lighting/keyboard_steps.h"
#include "lighting/lighting_tables.h"

namespace morva::lighting {
namespace {

// Key i gets colour index 33 × (i + 1) mod 192: neighbouring keys far apart on the wheel.
void spreadColourIndices(EffectState& state) {
    for (size_t position = 0; position < kKeyPositions; ++position) {
        state.colourIndices[position] = static_cast<uint8_t>(33 * (position + 1) % kWheelSize);
    }
}

void clearKeepingCustomColours(EffectState& state) {
    const auto customColours = state.keyboard.customColours;
    state = EffectState{};
    state.keyboard.customColours = customColours;
}

// Seeds the new effect; false when it colours its keys itself.
bool seed(EffectState& state, uint8_t effect) {
    using namespace keyboard_effect;
    switch (effect) {
    case kSpreadFromColumn9:
        setBitInAllPlanes(state.keyboard.planes, 9, 6);
        return false;
    case kSpreadFromColumn1:
        setBitInAllPlanes(state.keyboard.planes, 1, 0);
        return false;
    case kReverseSweepPulses:
        seedReverseSweepPulses(state);
        return false;
    case kSweepPulses:
        seedSweepPulses(state);
        return false;
    default:
        return true;
    }
}

} // namespace

void startKeyboardEffect(StepContext& step) {
    clearKeepingCustomColours(step.state);
    if (seed(step.state, step.settings.mode)) {
        spreadColourIndices(step.state);
    }
}

} // namespace morva::lighting
