#pragma once

#include <cstdint>
#include <json/value.h>
#include <memory>
#include <string_view>

namespace morva::ui {
class Control;
class Edit;
class List;
} // namespace morva::ui

// One row of the macro panel's event list, a combo-edit row: the event's name in its first text,
// its action (press, release or a movement's distance) in its second and the pause after it in
// its field. The row's user data holds the event as JSON text, which is what the row stands for;
// the field holds the pause until the macro is saved.
namespace morva::macros {

inline constexpr std::string_view kEventRowName = "macro_action";
// The row's field goes by this name, so that any event's field leaving the focus saves.
inline constexpr std::string_view kDelayFieldName = "macro_delay";
inline constexpr int kEventRowHeight = 30;

// Places a row for the event object {"Type", "Button", "Action", "Delay"} at the index (clamped
// to the end) and shows the event, its field the delay; the placed row. The row builds its parts
// from the list's window, so a list in no window takes no row: null.
ui::Control* placeEventRow(ui::List& list, size_t index, const Json::Value& event);

// The event the row stands for; null when its text is none.
Json::Value rowEvent(const ui::Control& row);
// Stores the event in the row and shows its name and action anew; the field keeps its text.
void setRowEvent(ui::Control& row, const Json::Value& event);

ui::Edit* rowDelayField(const ui::Control& row);
// Shows a pause in the row's field; the field takes 65535 at the most.
void showRowDelay(ui::Control& row, uint32_t delayMs);

} // namespace morva::macros
