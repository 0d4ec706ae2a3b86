#include "lighting/shared_steps.h"

#include "lighting/lighting_tables.h"

namespace morva::lighting {
namespace {

// Walks the breathing phase; true when it came back to 0.
bool walkBreathing(StepContext& step) {
    step.state.phase = walkPhase(step.state.phase, kBreathingSize, 1, step.settings.direction != 0);
    return step.state.phase == 0;
}

void paintBreathing(StepContext& step, Rgb colour) {
    paintAll(step.leds, colour,
             scaled(breathingCurve()[step.state.phase], brightnessOf(step.settings.brightness)));
}

bool flipWhenDue(StepContext& step) {
    return step.state.flash.flipWhenDue(step.now, flashPeriodMs(step.settings.speed));
}

void paintFlash(StepContext& step, Rgb colour) {
    if (step.state.flash.on) {
        paintAll(step.leds, colour, brightnessOf(step.settings.brightness));
    } else {
        paintAll(step.leds, Rgb{}, 0);
    }
}

} // namespace

void paintAll(std::span<LedColour> leds, Rgb colour, uint8_t intensity) {
    for (LedColour& led : leds) {
        led = lit(colour, intensity);
    }
}

Rgb fixedColourOf(const profiles::LightInfoRecord& settings) {
    return {settings.red, settings.green, settings.blue};
}

void breathingStep(StepContext& step) {
    if (walkBreathing(step)) {
        step.state.colourIndex = static_cast<uint8_t>(step.state.colourIndex + 16);
        if (step.state.colourIndex >= kWheelSize) {
            step.state.colourIndex = 0;
        }
    }
    paintBreathing(step, step.settings.multiColor != 0
                             ? secondColourWheel()[step.state.colourIndex % kWheelSize]
                             : fixedColourOf(step.settings));
}

void fourColourBreathingStep(StepContext& step) {
    if (walkBreathing(step)) {
        step.state.colourIndex = static_cast<uint8_t>((step.state.colourIndex + 1) % 4);
    }
    paintBreathing(step, kFourColours[step.state.colourIndex % 4]);
}

void staticStep(StepContext& step) {
    const uint8_t brightness = brightnessOf(step.settings.brightness);
    if (step.settings.multiColor == 0) {
        paintAll(step.leds, fixedColourOf(step.settings), brightness);
        return;
    }
    for (size_t column = 0; column < kGridColumns; ++column) {
        const Rgb colour = colourWheel()[(step.state.phase + 1 + 18 * column) % kWheelSize];
        for (const uint8_t position : keyboardGrid()[column]) {
            if (position < step.leds.size()) {
                step.leds[position] = lit(colour, brightness);
            }
        }
    }
}

void spectrumStep(StepContext& step) {
    step.state.phase = walkPhase(step.state.phase, kWheelSize, 1, step.settings.direction != 0);
    paintAll(step.leds, colourWheel()[step.state.phase], brightnessOf(step.settings.brightness));
}

void flashStep(StepContext& step) {
    if (flipWhenDue(step) && step.settings.multiColor != 0) {
        step.state.colourIndex = static_cast<uint8_t>((step.state.colourIndex + 16) % kWheelSize);
    }
    paintFlash(step, step.settings.multiColor != 0 ? colourWheel()[step.state.colourIndex]
                                                   : fixedColourOf(step.settings));
}

void fourColourFlashStep(StepContext& step) {
    if (flipWhenDue(step) && step.state.flash.on) {
        step.state.colourIndex = static_cast<uint8_t>((step.state.colourIndex + 1) % 4);
    }
    paintFlash(step, kFourColours[step.state.colourIndex % 4]);
}

void offStep(StepContext& step) {
    paintAll(step.leds, Rgb{}, 0);
}

} // namespace morva::lighting
