#include "lighting/keyboard_grids.h"
#include "lighting/keyboard_keys.h"
#include "lighting/keyboard_steps.h"
#include "lighting/lighting_tables.h"
#include "lighting/shared_steps.h"

namespace morva::lighting {
namespace {

template <typename ColourOfColumn>
void paintColumns(std::span<LedColour> leds, ColourOfColumn colourOf) {
    for (size_t column = 0; column < kGridColumns; ++column) {
        paintColumn(leds, column, colourOf(column));
    }
}

// A wave over the columns: the phase walks the wheel (multicolour) or `curve`; column c shows
// wheel entry phase + wheelOffset + wheelStride·c, or the fixed colour at the curve's entry
// phase + curveOffset + c·curveStride (taken over the wave's 96 entries).
struct ColumnWave {
    size_t wheelOffset;
    size_t wheelStride;
    std::span<const uint8_t> curve;
    size_t curveOffset;
    size_t curveStride;
};

void columnWave(StepContext& step, const ColumnWave& wave) {
    EffectState& state = step.state;
    const uint8_t level = brightness(step);
    if (multicolour(step)) {
        state.phase = walkPhase(state.phase, kWheelSize, 1, forwards(step));
        paintColumns(step.leds, [&](size_t column) {
            return lit(colourWheel()[(state.phase + wave.wheelOffset + wave.wheelStride * column) %
                                     kWheelSize],
                       level);
        });
        return;
    }
    state.phase = walkPhase(state.phase, kWaveSize, 1, forwards(step));
    paintColumns(step.leds, [&](size_t column) {
        const size_t at = (state.phase + wave.curveOffset + wave.curveStride * column) % kWaveSize;
        return lit(fixedColourOf(step.settings), scaled(wave.curve[at], level));
    });
}

// The wheel colour that each ZZCC mode shows.
uint8_t wheelIndexOfMode(uint8_t mode) {
    switch (mode) {
    case 1:
        return 25;
    case 2:
        return 70;
    case 3:
        return 95;
    default:
        return 174;
    }
}

} // namespace

void columnWaveStep(StepContext& step) {
    columnWave(step, {1, 7, waveCurve(), 1, 7});
}

void wideColumnWaveStep(StepContext& step) {
    columnWave(step, {0, 2, pulseCurve(), 0, 1});
}

void keyboardBreathingStep(StepContext& step) {
    EffectState& state = step.state;
    state.phase = walkPhase(state.phase, kBreathingSize, 1, forwards(step));
    const uint8_t intensity = scaled(breathingCurve()[state.phase], brightness(step));
    if (!multicolour(step)) {
        paintAll(keyLeds(step.leds), fixedColourOf(step.settings), intensity);
        return;
    }
    paintColumns(step.leds, [&](size_t column) {
        return lit(colourWheel()[(7 * column) % kWheelSize], intensity);
    });
}

void ringStaticStep(StepContext& step) {
    const uint8_t level = brightness(step);
    std::span<LedColour> keys = keyLeds(step.leds);
    paintAll(keys, fixedColourOf(step.settings), level);
    if (!multicolour(step)) {
        return;
    }
    for (size_t position = 0; position < keys.size(); ++position) {
        const uint8_t ring = ringOfKey()[position];
        if (ring != kNoRing) {
            keys[position] = lit(colourWheel()[110 - 10 * ring], level);
        }
    }
}

void colourCycleStep(StepContext& step) {
    std::span<LedColour> keys = keyLeds(step.leds);
    for (size_t position = 0; position < kKeyPositions; ++position) {
        uint8_t& index = step.state.colourIndices[position];
        index = walkPhase(index, kWheelSize, 1, true);
        if (position < keys.size()) {
            keys[position] = lit(colourWheel()[index], brightness(step));
        }
    }
}

void rowWaveStep(StepContext& step) {
    EffectState& state = step.state;
    state.phase = walkPhase(state.phase, kWheelSize, 1, forwards(step));
    for (size_t row = 0; row < kGridRows; ++row) {
        paintRow(step.leds, row,
                 lit(colourWheel()[(state.phase + 1 + 7 * row) % kWheelSize], brightness(step)));
    }
}

void modeColourStep(StepContext& step) {
    paintAll(keyLeds(step.leds), colourWheel()[wheelIndexOfMode(step.settings.zzccMode)],
             brightness(step));
}

void radialRainbowStep(StepContext& step) {
    EffectState& state = step.state;
    state.phase = walkPhase(state.phase, kWheelSize, 1, forwards(step));
    std::span<LedColour> keys = keyLeds(step.leds);
    for (size_t position = 0; position < keys.size(); ++position) {
        const uint8_t ring = ringOfKey()[position];
        if (ring != kNoRing) {
            keys[position] =
                lit(colourWheel()[(state.phase + 16 * ring) % kWheelSize], brightness(step));
        }
    }
}

void customColoursStep(StepContext& step) {
    std::span<LedColour> keys = keyLeds(step.leds);
    for (size_t position = 0; position < keys.size(); ++position) {
        keys[position] = lit(step.state.keyboard.customColours[position], brightness(step));
    }
}

} // namespace morva::lighting
