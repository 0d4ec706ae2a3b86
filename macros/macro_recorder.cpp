#include "macros/macro_recorder.h"

#include <algorithm>

namespace morva::macros {
namespace {

// Where the new event goes, or none when an insert has nothing selected.
std::optional<size_t> rowFor(Placement placement, size_t rowCount, int selected) {
    if (placement == Placement::Append) {
        return rowCount;
    }
    if (selected < 0 || static_cast<size_t>(selected) >= rowCount) {
        return std::nullopt;
    }
    const auto at = static_cast<size_t>(selected);
    return placement == Placement::InsertBefore ? at : at + 1;
}

} // namespace

std::optional<std::string> MacroRecorder::start(RecordTimeMode mode, uint32_t nowMs,
                                                std::string_view fixedTimeText) {
    mode_ = mode;
    lastTickMs_ = nowMs;
    placedEvent_ = false;
    if (mode != RecordTimeMode::ConstantTime) {
        return std::nullopt;
    }
    const uint32_t fixed = decimalValue(fixedTimeText);
    if (fixed == constantTimeMs_) {
        return std::nullopt;
    }
    constantTimeMs_ = std::min(fixed, kLongestPauseMs);
    return std::to_string(constantTimeMs_);
}

uint32_t MacroRecorder::measurePause(uint32_t nowMs) {
    switch (mode_) {
    case RecordTimeMode::RecordTime: {
        const uint32_t passed = nowMs - lastTickMs_;
        lastTickMs_ = nowMs;
        return std::min(passed, kLongestPauseMs);
    }
    case RecordTimeMode::ConstantTime:
        return constantTimeMs_;
    case RecordTimeMode::IgnoreTime:
        return 0;
    }
    return 0;
}

std::optional<PlacedEvent> MacroRecorder::place(Placement placement, const RecordedInput& input,
                                                size_t rowCount, int selected, uint32_t nowMs) {
    if (rowCount >= kMaxRecordedEvents) {
        return std::nullopt;
    }
    const std::optional<size_t> row = rowFor(placement, rowCount, selected);
    if (!row) {
        return std::nullopt;
    }
    const uint32_t pause = measurePause(nowMs);
    const bool first = *row == 0;
    const uint32_t ownDelay = !first && mode_ == RecordTimeMode::ConstantTime ? constantTimeMs_ : 0;

    PlacedEvent placed;
    placed.row = *row;
    placed.event = makeMacroEvent(input.type, input.button, input.press, ownDelay);
    placed.delayAsNumber = first;
    if (placedEvent_ && !first) {
        placed.previousDelayMs = pause;
    }
    placed.selectedRow =
        placement == Placement::InsertBefore ? selected + 1 : static_cast<int>(*row);
    placedEvent_ = true;
    return placed;
}

} // namespace morva::macros
