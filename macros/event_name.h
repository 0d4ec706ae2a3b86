#pragma once

#include "macros/macro_event.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace morva::macros {

// What an event is called: a language key ("keyboard_key_A", "mouse_key_left"), empty when the
// event has no name, and for a cursor movement the distance shown beside it.
struct EventName {
    std::string_view key;
    std::optional<int> distance;

    bool empty() const { return key.empty(); }
};

// The key catalogue entry that names a keyboard-key or modifier event, if any.
std::optional<size_t> catalogueEntryOf(const MacroEvent& event);
// The mouse event table row that names a mouse-button or movement event, if any.
std::optional<size_t> mouseEventRowOf(const MacroEvent& event);

// The name of any event; an event nothing names (types 2 and 3, unknown buttons) gets none and
// stays as it is.
EventName eventName(const MacroEvent& event);

} // namespace morva::macros
