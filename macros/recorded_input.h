#pragma once

#include "macros/input_records.h"
#include "macros/macro_event.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace morva::macros {

// A key or mouse button taken for a macro, before it gets its place and pause.
struct RecordedInput {
    int type = 0;
    int button = 0;
    bool press = false;
    std::string_view nameKey; // the language key of its name

    bool operator==(const RecordedInput&) const = default;
};

// A keyboard handler's memory of the last press it took: a key held down repeats its press, and
// only the first counts. Releasing that key forgets it; releasing another key does not.
class KeyRepeatFilter {
public:
    // False for a repeated press, which is dropped.
    bool pass(bool press, uint32_t scanCode, bool extended);

private:
    uint32_t scanCode_ = 0;
    bool extended_ = false;
};

// A mouse handler's memory of the last message it took: the same message twice in a row (a
// second X button pressed while the first is held) is dropped.
class MouseRepeatFilter {
public:
    bool pass(uint32_t message);

private:
    uint32_t message_ = 0;
};

// A rectangle of the screen, right and bottom edges outside it.
struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool contains(int32_t x, int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
};

// The key of a keyboard message (key down, key up and their Alt forms), by its scan code; none for
// a repeated press or a key without a row of the scan-code table.
std::optional<RecordedInput> keyboardInput(uint32_t message, const KeyboardHookRecord& record,
                                           KeyRepeatFilter& repeats);

// The button of a mouse message; none for other messages, X buttons other than the two, a
// repeated message, and a left-button press or release on the stop button (which ends the
// recording and is no part of it).
std::optional<RecordedInput> mouseInput(uint32_t message, const MouseHookRecord& record,
                                        MouseRepeatFilter& repeats,
                                        std::optional<ScreenRect> stopButton);

} // namespace morva::macros
