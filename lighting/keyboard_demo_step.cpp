#include "lighting/column_bitmap.h"
#include "lighting/key_orders.h"
#include "lighting/keyboard_keys.h"
#include "lighting/keyboard_steps.h"

namespace morva::lighting {
namespace {

constexpr uint8_t kPairSteps = 31;
// The pairs' stage waits for this key to go dark before the spread starts.
constexpr uint8_t kPairsLastKey = 72;
// The spread starts from this key and is over once it reaches that one.
constexpr uint8_t kSpreadFirstKey = 52;
constexpr uint8_t kSpreadLastKey = 124;

void nextStage(KeyboardEffectState& keyboard, DemoStage stage) {
    keyboard.demoStage = stage;
    keyboard.demoStep = 0;
}

template <size_t Keys> void lightKeys(StepContext& step, const std::array<uint8_t, Keys>& keys) {
    for (const uint8_t position : keys) {
        if (position != kNoKey) {
            lightKey(step.state, position, multicolour(step));
        }
    }
}

void sweepStage(StepContext& step) {
    KeyboardEffectState& keyboard = step.state.keyboard;
    lightKeys(step, demoSweepTable()[keyboard.demoStep]);
    if (++keyboard.demoStep == kDemoSweepRows) {
        nextStage(keyboard, DemoStage::Pairs);
    }
}

void pairsStage(StepContext& step) {
    KeyboardEffectState& keyboard = step.state.keyboard;
    if (keyboard.demoStep < kPairSteps) {
        lightKeys(step, demoPairTable()[keyboard.demoStep % kDemoPairs]);
        ++keyboard.demoStep;
    } else if (step.state.values[kPairsLastKey] == 0) {
        nextStage(keyboard, DemoStage::Seed);
    }
}

// Only the first key's bit: what an earlier spread left below the keys must not reach them.
void seedStage(StepContext& step) {
    KeyboardEffectState& keyboard = step.state.keyboard;
    keyboard.planes = {};
    setKeyBit(keyboard.planes, kSpreadFirstKey);
    nextStage(keyboard, DemoStage::Spread);
}

void spreadStage(StepContext& step) {
    KeyboardEffectState& keyboard = step.state.keyboard;
    lightSetBits(step.state, multicolour(step));
    if (keyBitSet(keyboard.planes, kSpreadLastKey)) {
        nextStage(keyboard, DemoStage::Wait);
    } else {
        keyboard.planes = spread(keyboard.planes);
    }
}

void waitStage(StepContext& step) {
    if (step.state.values[kSpreadLastKey] == 0) {
        nextStage(step.state.keyboard, DemoStage::Sweep);
    }
}

} // namespace

void demonstrationStep(StepContext& step) {
    switch (step.state.keyboard.demoStage) {
    case DemoStage::Sweep:
        sweepStage(step);
        break;
    case DemoStage::Pairs:
        pairsStage(step);
        break;
    case DemoStage::Seed:
        seedStage(step);
        break;
    case DemoStage::Spread:
        spreadStage(step);
        break;
    case DemoStage::Wait:
        waitStage(step);
        break;
    }
    fadeKeys(step.state);
    paintKeys(step);
}

} // namespace morva::lighting
