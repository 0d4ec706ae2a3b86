#pragma once

#include "macros/macro_event.h"

#include <json/value.h>
#include <string_view>
#include <vector>

// The macro document, the content of a macro file:
//   { "MacroName": "...", "Guid": "<identifier>", "Events": [ {"Type": 10, "Button": 4,
//     "Action": "down", "Delay": "35"}, ... ], "Version": 64 }
// Only "Events" is ever read back; name and identifier may be stale or foreign.
namespace morva::macros {

inline constexpr int kMacroDocumentVersion = 64;

// One event object, {"Type", "Button", "Action", "Delay"}, and back; the delay is written as text.
Json::Value eventToJson(const MacroEvent& event);
MacroEvent eventFromJson(const Json::Value& object);

// The events of a document, in order. A null document, one without "Events" or an "Events" that
// is no array holds none; an element that is no object is no event and is left out.
std::vector<MacroEvent> eventsFromJson(const Json::Value& document);

// The document a save writes: "Events" only when there is at least one event, and every delay
// as text.
Json::Value macroToJson(std::string_view name, std::string_view identifier,
                        const std::vector<MacroEvent>& events);

// Whether a document read from a file the user chose is a macro: an object whose "Events" is an
// array of event objects, or, saved without events, one with a text "Guid" and a "Version".
bool isMacroDocument(const Json::Value& document);

} // namespace morva::macros
