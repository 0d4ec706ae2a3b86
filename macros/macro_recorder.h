#pragma once

#include "macros/macro_event.h"
#include "macros/recorded_input.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morva::macros {

// How a recording measures the pause after each event.
enum class RecordTimeMode {
    RecordTime = 1,   // the time that really passed until the next event
    ConstantTime = 2, // the same pause everywhere, from the fixed-time field
    IgnoreTime = 3,   // no pause
};

// Where recorded events go in the event list.
enum class Placement {
    Append,       // after the last event
    InsertBefore, // in front of the selected event, which stays selected
    InsertAfter,  // after the selected event, moving on with each new one
};

// A recording stops taking events when the list holds this many.
inline constexpr size_t kMaxRecordedEvents = 2000;
inline constexpr uint32_t kDefaultConstantTimeMs = 50;
// Pauses are 16-bit on the devices; longer ones are held at this.
inline constexpr uint32_t kLongestPauseMs = 65535;

// Where one recorded event goes and what it changes in the list.
struct PlacedEvent {
    size_t row = 0;   // the index the new event takes
    MacroEvent event; // with its own delay
    // The new event is the first of its list: its delay is stored as the number 0 rather than
    // text until the macro is saved.
    bool delayAsNumber = false;
    // The pause now known for the event before it, which is written into that event.
    std::optional<uint32_t> previousDelayMs;
    int selectedRow = -1; // the row selected afterwards
};

// The recording state of one macro panel: the record-time mode, the constant time and the clock
// reading the pauses are measured from.
class MacroRecorder {
public:
    // Starts a recording at `nowMs` (a millisecond tick count that may wrap). In constant-time
    // mode the fixed-time field's number becomes the constant time, held at 65535; the text the
    // field should show then is returned (nothing when the field keeps its text).
    std::optional<std::string> start(RecordTimeMode mode, uint32_t nowMs,
                                     std::string_view fixedTimeText);

    // Places a recorded event in a list of `rowCount` events whose selected row is `selected`
    // (-1: none). Nothing when the list is full, or an insert has no selected row.
    std::optional<PlacedEvent> place(Placement placement, const RecordedInput& input,
                                     size_t rowCount, int selected, uint32_t nowMs);

    RecordTimeMode mode() const { return mode_; }
    uint32_t constantTimeMs() const { return constantTimeMs_; }

private:
    uint32_t measurePause(uint32_t nowMs);

    RecordTimeMode mode_ = RecordTimeMode::RecordTime;
    uint32_t constantTimeMs_ = kDefaultConstantTimeMs;
    uint32_t lastTickMs_ = 0;
    // An event of this recording was placed: the next one's pause goes to the event before it.
    bool placedEvent_ = false;
};

} // namespace morva::macros
