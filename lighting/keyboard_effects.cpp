#include "lighting/keyboard_effects.h"

#include "lighting/device_effects.h"
#include "lighting/keyboard_steps.h"
#include "lighting/shared_steps.h"

namespace morva::lighting {
namespace {

using namespace keyboard_effect;

constexpr Thresholds kKeyboardPace = {6, 5, 4, 3, 2, 1};
constexpr Thresholds kQuickerPace = {5, 4, 3, 2, 1, 1};
constexpr Thresholds kSlowerPace = {7, 6, 5, 4, 3, 1};

constexpr OwnThresholds kOwnThresholds[] = {
    {kFallingKeys, kQuickerPace},
    {kReactiveSpread, kQuickerPace},
    {kSpreadFromColumn9, kSlowerPace},
    {kDemonstration, kQuickerPace},
};

std::array<StepFunction, kMostStepCodes> keyboardSteps() {
    std::array<StepFunction, kMostStepCodes> steps{};
    steps[kColumnWave] = columnWaveStep;
    steps[kWideColumnWave] = wideColumnWaveStep;
    steps[kFallingKeys] = fallingKeysStep;
    steps[kSpectrum] = spectrumStep;
    steps[kBreathing] = keyboardBreathingStep;
    steps[kStatic] = ringStaticStep;
    steps[kReactiveFade] = reactiveFadeStep;
    steps[kReactiveSpread] = reactiveSpreadStep;
    steps[kReactiveRun] = reactiveRunStep;
    steps[kTwinkle] = twinkleStep;
    steps[kColourCycle] = colourCycleStep;
    steps[kRowWave] = rowWaveStep;
    steps[kSpreadFromColumn9] = spreadFromColumn9Step;
    steps[kDemonstration] = demonstrationStep;
    steps[kReverseSweepPulses] = reverseSweepPulsesStep;
    steps[kSpreadFromColumn1] = spreadFromColumn1Step;
    steps[kModeColour] = modeColourStep;
    steps[kRadialRainbow] = radialRainbowStep;
    steps[kCustom] = customColoursStep;
    steps[kSweepPulses] = sweepPulsesStep;
    steps[kFlash] = flashStep;
    steps[kFallingKeysAgain] = fallingKeysStep;
    steps[kReactiveNeighbours] = reactiveFadeStep;
    steps[kFourColourBreathing] = fourColourBreathingStep;
    steps[kFourColourFlash] = fourColourFlashStep;
    steps[kOff] = offStep;
    steps[kSnake] = snakeStep;
    return steps;
}

} // namespace

const EffectTable& keyboardEffects() {
    static const EffectTable table{.steps = keyboardSteps(),
                                   .thresholds = kKeyboardPace,
                                   .ownThresholds = kOwnThresholds,
                                   .start = startKeyboardEffect,
                                   .keyEvent = keyboardKeyEvent};
    return table;
}

} // namespace morva::lighting
