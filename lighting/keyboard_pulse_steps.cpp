#include "lighting/key_orders.h"
#include "lighting/keyboard_grids.h"
#include "lighting/keyboard_keys.h"
#include "lighting/keyboard_steps.h"
#include "lighting/lighting_tables.h"

namespace morva::lighting {
namespace {

// Steps between the pulses of neighbouring diagonals: the 23 diagonals fill most of one turn of
// the pulse curve, so one sweep ends shortly before the next begins.
constexpr size_t kDiagonalLag = 8;

// Every key of the order walks its pulse one step. A key whose pulse has just gone dark takes the
// colour of the key before it in the order, which went dark just before it, for its next pulse;
// the first key takes a random one. So the first sweep shows the colours the keys were seeded
// with, and every later sweep passes over the keys in a colour of its own.
void pulseAlong(StepContext& step, const KeyOrder& order) {
    EffectState& state = step.state;
    const uint8_t level = brightness(step);
    uint8_t previous = kNoKey;
    for (const uint8_t position : order) {
        if (position == kNoKey) {
            continue;
        }
        uint8_t& phase = state.keyboard.pulsePhases[position];
        const bool wasLit = pulseCurve()[phase] != 0;
        phase = walkPhase(phase, kPulseSize, 1, true);
        if (wasLit && pulseCurve()[phase] == 0) {
            state.colourIndices[position] = previous == kNoKey
                                                ? state.keyboard.random.below(kWheelSize)
                                                : state.colourIndices[previous];
        }
        paintKey(
            step.leds, position,
            lit(wheelColourAt(state.colourIndices[position]), scaled(pulseCurve()[phase], level)));
        previous = position;
    }
}

// Diagonal d in colour 7d, its pulse `lagOf(d)` diagonals behind the first: the far diagonals
// are still in the pulse of the sweep before, as if the sweeps had been running.
template <typename LagOfDiagonal> void seedPulses(EffectState& state, LagOfDiagonal lagOf) {
    for (size_t diagonal = 0; diagonal < kDiagonals; ++diagonal) {
        const auto phase =
            static_cast<uint8_t>((kPulseSize - kDiagonalLag * lagOf(diagonal)) % kPulseSize);
        for (const uint8_t position : diagonalGrid()[diagonal]) {
            if (position != kNoKey) {
                state.colourIndices[position] = static_cast<uint8_t>(7 * diagonal);
                state.keyboard.pulsePhases[position] = phase;
            }
        }
    }
}

} // namespace

void sweepPulsesStep(StepContext& step) {
    pulseAlong(step, sweepOrder());
}

void reverseSweepPulsesStep(StepContext& step) {
    pulseAlong(step, reverseSweepOrder());
}

void seedSweepPulses(EffectState& state) {
    seedPulses(state, [](size_t diagonal) { return diagonal; });
}

void seedReverseSweepPulses(EffectState& state) {
    seedPulses(state, [](size_t diagonal) { return kDiagonals - 1 - diagonal; });
}

} // namespace morva::lighting
