#include "lighting/column_bitmap.h"
#include "lighting/keyboard_keys.h"
#include "lighting/keyboard_steps.h"
#include "lighting/lighting_tables.h"

namespace morva::lighting {
namespace {

constexpr uint8_t kTopRow = 0;
constexpr uint8_t kBelowBottomRow = 6;

void fadeAndPaint(StepContext& step) {
    fadeKeys(step.state);
    paintKeys(step);
}

} // namespace

void reactiveSpreadStep(StepContext& step) {
    lightSetBits(step.state, multicolour(step));
    step.state.keyboard.planes = spread(step.state.keyboard.planes);
    fadeAndPaint(step);
}

void reactiveRunStep(StepContext& step) {
    lightSetBits(step.state, multicolour(step));
    step.state.keyboard.planes = runAlongRows(step.state.keyboard.planes);
    fadeAndPaint(step);
}

void spreadFromColumn9Step(StepContext& step) {
    ColumnPlanes& planes = step.state.keyboard.planes;
    reseedWhenOnly(planes, 9, kTopRow);
    reseedWhenOnly(planes, 9, kBelowBottomRow);
    step.state.chaseStepOdd = !step.state.chaseStepOdd;
    if (step.state.chaseStepOdd) {
        lightSetBits(step.state, multicolour(step));
        planes = spread(planes);
    }
    fadeAndPaint(step);
}

void spreadFromColumn1Step(StepContext& step) {
    ColumnPlanes& planes = step.state.keyboard.planes;
    reseedWhenOnly(planes, 1, kTopRow);
    reseedWhenOnly(planes, kGridColumns - 1, kBelowBottomRow);
    lightSetBits(step.state, multicolour(step));
    planes = spread(planes);
    fadeAndPaint(step);
}

} // namespace morva::lighting
