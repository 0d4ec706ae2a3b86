#include "lighting/device_effects.h"

#include "lighting/chase.h"
#include "lighting/lighting_tables.h"
#include "lighting/shared_steps.h"

#include <algorithm>

namespace morva::lighting {
namespace {

struct WaveShape {
    size_t wheelStride; // wheel entries between neighbouring LEDs (multicolour)
    uint8_t curveStep;  // how far the phase walks the wave curve per step
    size_t curveStride; // curve entries between neighbouring LEDs
    size_t curveOffset; // added to the phase before the stride
};

void ledWave(StepContext& step, const WaveShape& shape) {
    const bool forwards = step.settings.direction != 0;
    const uint8_t brightness = brightnessOf(step.settings.brightness);
    EffectState& state = step.state;
    if (step.settings.multiColor != 0) {
        state.phase = walkPhase(state.phase, kWheelSize, 1, forwards);
        for (size_t i = 0; i < step.leds.size(); ++i) {
            step.leds[i] = lit(
                colourWheel()[(state.phase + 1 + shape.wheelStride * i) % kWheelSize], brightness);
        }
        return;
    }
    state.phase = walkPhase(state.phase, kWaveSize, shape.curveStep, forwards);
    for (size_t i = 0; i < step.leds.size(); ++i) {
        const size_t w = (state.phase + shape.curveOffset + shape.curveStride * i) % kWaveSize;
        step.leds[i] = lit(fixedColourOf(step.settings), scaled(waveCurve()[w], brightness));
    }
}

// Paints LED `led` of a chase with `value`: the fixed colour, or in multicolour the wheel colour
// the LED was given (a new one, from the phase moving on by 12 per LED, unless `keepColours`).
void paintChaseLed(StepContext& step, size_t led, uint8_t value, bool keepColours) {
    EffectState& state = step.state;
    Rgb colour = fixedColourOf(step.settings);
    if (step.settings.multiColor != 0) {
        if (!keepColours) {
            state.colourIndices[led] = state.phase;
            state.phase = static_cast<uint8_t>((state.phase + 12) % kWheelSize);
        }
        colour = colourWheel()[state.colourIndices[led] % kWheelSize];
    }
    step.leds[led] = lit(colour, scaled(value, brightnessOf(step.settings.brightness)));
}

// The first part of both pad chases: the phase, and every second step the ring. True when the
// colours stay as they are: the LED at the leading end is still lit.
bool advancePadChase(StepContext& step, bool rotateForwards, size_t ringLength) {
    EffectState& state = step.state;
    const bool forwards = step.settings.direction != 0;
    state.phase = walkPhase(state.phase, kWheelSize, 1, forwards);
    state.chaseStepOdd = !state.chaseStepOdd;
    if (state.chaseStepOdd) {
        lightFlaggedLeds(state, step.leds.size());
        rotateFlags(state, rotateForwards, ringLength);
    }
    if (step.leds.empty()) {
        return false;
    }
    const size_t leading = forwards ? 0 : step.leds.size() - 1;
    return state.values[leading] != 0;
}

} // namespace

uint8_t EffectTable::thresholdOf(uint8_t code, uint8_t speed) const {
    const auto own =
        std::find_if(ownThresholds.begin(), ownThresholds.end(),
                     [code](const OwnThresholds& entry) { return entry.code == code; });
    const Thresholds& pace = own != ownThresholds.end() ? own->bySpeed : thresholds;
    return pace[std::min<size_t>(speed, pace.size() - 1)];
}

void resetForNewEffect(EffectState& state) {
    state = EffectState{};
    state.groupFlags[0] = true;
}

void mouseLedWaveStep(StepContext& step) {
    ledWave(step, {7, 1, 7, 1});
}

void headsetLedWaveStep(StepContext& step) {
    ledWave(step, {16, 3, 10, 0});
}

void mouseChaseStep(StepContext& step) {
    EffectState& state = step.state;
    state.phase = walkPhase(state.phase, kWheelSize, 1, step.settings.direction != 0);
    lightFlaggedGroups(state);
    rotateFlags(state, step.settings.direction != 0);
    const uint8_t brightness = brightnessOf(step.settings.brightness);
    for (size_t group = 0; group < 9; ++group) {
        state.values[group] = faded(state.values[group]);
        const Rgb colour = step.settings.multiColor != 0
                               ? colourWheel()[(state.phase + 12 * group) % kWheelSize]
                               : fixedColourOf(step.settings);
        for (size_t led = 3 * group; led < 3 * group + 3 && led < step.leds.size(); ++led) {
            step.leds[led] = lit(colour, scaled(state.values[group], brightness));
        }
    }
}

void chaseAlongLedsStep(StepContext& step) {
    const bool keepColours = advancePadChase(step, step.settings.direction != 0, kGroupFlags);
    for (size_t led = 0; led < step.leds.size() && led < kPerLedBytes; ++led) {
        step.state.values[led] = faded(step.state.values[led]);
        paintChaseLed(step, led, step.state.values[led], keepColours);
    }
}

void chaseOverPairsStep(StepContext& step) {
    const bool keepColours = advancePadChase(step, step.settings.direction == 0, 8);
    for (size_t pair = 1; pair <= 7; ++pair) {
        step.state.values[pair] = faded(step.state.values[pair]);
        for (const size_t led : {pair, 15 - pair}) {
            if (led < step.leds.size()) {
                paintChaseLed(step, led, step.state.values[pair], keepColours);
            }
        }
    }
}

const EffectTable& mouseEffects() {
    static const EffectTable table{.steps = {mouseLedWaveStep, spectrumStep, breathingStep,
                                             staticStep, flashStep, mouseChaseStep,
                                             fourColourBreathingStep, fourColourFlashStep, offStep},
                                   .thresholds = kStepThresholds};
    return table;
}

const EffectTable& mousePadEffects() {
    static const EffectTable table{.steps = {mouseLedWaveStep, spectrumStep, breathingStep,
                                             staticStep, flashStep, nullptr, chaseAlongLedsStep,
                                             chaseOverPairsStep, offStep},
                                   .thresholds = kStepThresholds};
    return table;
}

const EffectTable& headsetEffects() {
    static const EffectTable table{.steps = {headsetLedWaveStep, spectrumStep, breathingStep,
                                             staticStep, flashStep, nullptr, chaseAlongLedsStep,
                                             chaseOverPairsStep, offStep},
                                   .thresholds = kStepThresholds};
    return table;
}

} // namespace morva::lighting
