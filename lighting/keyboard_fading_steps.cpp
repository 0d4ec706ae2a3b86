#include "lighting/key_orders.h"
#include "lighting/keyboard_grids.h"
#include "lighting/keyboard_keys.h"
#include "lighting/keyboard_steps.h"
#include "lighting/lighting_tables.h"
#include "lighting/shared_steps.h"

namespace morva::lighting {
namespace {

constexpr size_t kTwinklesPerStep = 6;
constexpr uint8_t kSnakeHead = 254;

// The falling keys' own paint: in multicolour a key shows its colour at the plain brightness,
// whatever its value.
void paintFallingKeys(StepContext& step) {
    if (!multicolour(step)) {
        paintKeys(step);
        return;
    }
    std::span<LedColour> keys = keyLeds(step.leds);
    for (size_t position = 0; position < keys.size(); ++position) {
        keys[position] = lit(wheelColourAt(step.state.colourIndices[position]), brightness(step));
    }
}

} // namespace

void fallingKeysStep(StepContext& step) {
    EffectState& state = step.state;
    state.phase = walkPhase(state.phase, kFallingRows, 1, forwards(step));
    for (const uint8_t position : fallingTable()[state.phase]) {
        if (position != kNoKey) {
            state.values[position] = 255;
            state.colourIndices[position] = 0;
        }
    }
    for (size_t position = 0; position < kKeyPositions; ++position) {
        state.values[position] = loweredBy(state.values[position], 5);
        state.colourIndices[position] = raisedBy(state.colourIndices[position], 3);
    }
    paintFallingKeys(step);
}

void reactiveFadeStep(StepContext& step) {
    EffectState& state = step.state;
    for (size_t position = 0; position < kKeyPositions; ++position) {
        uint8_t& value = state.values[position];
        switch (state.keyboard.press[position]) {
        case KeyPress::Held:
            value = raisedBy(value, 15);
            break;
        case KeyPress::Released:
            value = loweredBy(value, 5);
            break;
        case KeyPress::None:
            break;
        }
    }
    paintKeys(step);
}

void twinkleStep(StepContext& step) {
    EffectState& state = step.state;
    for (size_t twinkle = 0; twinkle < kTwinklesPerStep; ++twinkle) {
        lightKey(state, randomOrder()[state.keyboard.random.below(kRandomOrderLength)], true);
    }
    fadeKeys(state);
    paintKeys(step);
}

void snakeStep(StepContext& step) {
    EffectState& state = step.state;
    state.phase = walkPhase(state.phase, kKeyOrderLength, 1, forwards(step));
    const uint8_t head = snakeOrder()[state.phase];
    if (head != kNoKey) {
        state.values[head] = kSnakeHead;
    }
    fadeKeys(state);
    paintKeys(step);
}

} // namespace morva::lighting
