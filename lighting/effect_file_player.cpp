#include "lighting/effect_file_player.h"

#include "lighting/lighting_tables.h"
#include "lighting/pass_timing.h"
#include "lighting/shared_steps.h"

#include <algorithm>

namespace morva::lighting {
namespace {

// The spectrum step's own thresholds by speed; the other steps use kStepThresholds.
constexpr std::array<uint8_t, 6> kSpectrumThresholds = {6, 5, 4, 3, 2, 1};

enum StepEffect : uint8_t { kBreathing = 0, kStatic = 1, kFlash = 2, kWave = 4, kSpectrum = 5 };

uint8_t thresholdOfStep(const profiles::LedEffectStep& step) {
    const size_t speed = std::min<size_t>(step.speed, 5);
    return step.effect == kSpectrum ? kSpectrumThresholds[speed] : kStepThresholds[speed];
}

Rgb colourOf(const profiles::LedEffectStep& step) {
    return {step.red, step.green, step.blue};
}

// Counts a pass on a counter that restarts at 0 on reaching the threshold (at once for 0).
uint8_t countCyclic(uint8_t counter, uint32_t passes, uint8_t threshold) {
    return threshold == 0 ? 0 : static_cast<uint8_t>((counter + passes) % threshold);
}

void paintWave(const profiles::LedEffectStep& step, uint8_t phase, std::span<LedColour> leds) {
    const uint8_t brightness = brightnessOf(step.brightness);
    size_t d = size_t{phase} + 1 >= kWheelSize ? 0 : phase + 1;
    if (step.direction != 0) {
        d = std::min<size_t>(static_cast<uint8_t>(-phase - 64), kWheelSize - 1);
    }
    for (LedColour& led : leds) {
        if (step.multiColor != 0) {
            led = lit(colourWheel()[d], brightness);
            d = (d + 12) % kWheelSize;
        } else {
            const size_t w = (d + 12) % kWaveSize;
            led = lit(colourOf(step), scaled(waveCurve()[w], brightness));
            d = w;
        }
    }
}

} // namespace

void EffectFilePlayer::load(std::vector<profiles::LedEffectStep> steps) {
    steps_ = std::move(steps);
    index_ = 0;
    painted_ = false;
    // The first step's time runs from the first pass that plays it.
    started_ = false;
}

const profiles::LedEffectStep* EffectFilePlayer::current() const {
    if (steps_.empty()) {
        return nullptr;
    }
    return &steps_[index_]; // load and the step change keep it inside the list
}

void EffectFilePlayer::runStep(const profiles::LedEffectStep& step, std::span<LedColour> leds,
                               TickMs now, uint8_t flashSpeed) {
    const uint8_t threshold = thresholdOfStep(step);
    const uint8_t brightness = brightnessOf(step.brightness);
    switch (step.effect) {
    case kBreathing:
        if (counter_ >= threshold) {
            counter_ = 0;
            phase_ = static_cast<uint8_t>((phase_ + 1) % kBreathingSize);
            // Multicolour walks the second wheel as the breathing effect does.
            if (phase_ == 0) {
                colourIndex_ = static_cast<uint8_t>((colourIndex_ + 16) % kWheelSize);
            }
        }
        paintAll(leds,
                 step.multiColor != 0 ? secondColourWheel()[colourIndex_ % kWheelSize]
                                      : colourOf(step),
                 scaled(breathingCurve()[phase_ % kBreathingSize], brightness));
        break;
    case kStatic:
        if (counter_ >= threshold) {
            counter_ = 0;
        }
        paintAll(leds, colourOf(step), brightness);
        break;
    case kFlash:
        phase_ = static_cast<uint8_t>((phase_ + 1) % kBreathingSize);
        if (counter_ >= threshold) {
            counter_ = 0;
        }
        if (flash_.flipWhenDue(now, flashPeriodMs(flashSpeed))) {
            colourIndex_ =
                size_t{phase_} + 14 >= kWheelSize ? 0 : static_cast<uint8_t>(phase_ + 14);
        }
        if (flash_.on) {
            paintAll(leds, step.multiColor != 0 ? colourWheel()[colourIndex_] : colourOf(step),
                     brightness);
        } else {
            paintAll(leds, Rgb{}, 0);
        }
        break;
    case kWave:
    case kSpectrum:
        if (counter_ >= threshold) {
            counter_ = 0;
            phase_ = static_cast<uint8_t>((phase_ + 1) % kWheelSize);
        }
        if (step.effect == kWave) {
            paintWave(step, phase_, leds);
        } else {
            paintAll(leds, colourWheel()[phase_ % kWheelSize], brightness);
        }
        break;
    default:
        break; // the LEDs keep their state
    }
}

void EffectFilePlayer::pass(std::span<LedColour> leds, TickMs now, uint8_t flashSpeed) {
    const profiles::LedEffectStep* step = current();
    if (step == nullptr) {
        paintAll(leds, Rgb{}, 0);
        painted_ = true;
        return;
    }
    if (!started_) {
        started_ = true;
        stepStartMs_ = now;
    }
    counter_ = counter_ >= 254 ? 0 : static_cast<uint8_t>(counter_ + 1);
    runStep(*step, leds, now, flashSpeed);
    painted_ = true;
    if (now - stepStartMs_ > static_cast<TickMs>(std::max(step->timeMs, 0))) {
        index_ = index_ + 1 >= steps_.size() ? 0 : index_ + 1;
        stepStartMs_ = now;
        painted_ = false;
    }
}

uint32_t EffectFilePlayer::passesUntilDue(TickMs now, uint8_t flashSpeed) const {
    const profiles::LedEffectStep* step = current();
    if (!painted_) {
        return 1;
    }
    if (step == nullptr) {
        return 0;
    }
    uint32_t due =
        passesUntil(now, stepStartMs_ + static_cast<TickMs>(std::max(step->timeMs, 0)) + 1);
    const uint8_t threshold = thresholdOfStep(*step);
    switch (step->effect) {
    case kBreathing:
    case kWave:
    case kSpectrum:
        due = std::min(due, passesUntilThreshold(counter_, threshold));
        break;
    case kFlash:
        due = std::min(due, flash_.passesUntilFlip(now, flashPeriodMs(flashSpeed)));
        break;
    default:
        break;
    }
    return due;
}

void EffectFilePlayer::skip(uint32_t passes) {
    const profiles::LedEffectStep* step = current();
    if (step == nullptr || passes == 0) {
        return;
    }
    const uint8_t threshold = thresholdOfStep(*step);
    switch (step->effect) {
    case kStatic:
        counter_ = countCyclic(counter_, passes, threshold);
        break;
    case kFlash:
        counter_ = countCyclic(counter_, passes, threshold);
        phase_ = static_cast<uint8_t>((phase_ + passes) % kBreathingSize);
        break;
    case kBreathing:
    case kWave:
    case kSpectrum:
        counter_ = static_cast<uint8_t>(counter_ + passes);
        break;
    default:
        counter_ = static_cast<uint8_t>((counter_ + passes) % 255);
        break;
    }
}

} // namespace morva::lighting
