#pragma once

#include <cstdint>
#include <json/value.h>
#include <memory>
#include <string_view>

namespace morva::ui {
class Control;
class Edit;
class ListContainerElement;
} // namespace morva::ui

// One row of the macro panel's event list: the event's name, its action (press, release or a
// movement's distance) and the field of the pause after it. The row's user data holds the event
// as JSON text, which is what the row stands for; the field holds the pause until the macro is
// saved.
namespace morva::macros {

inline constexpr std::string_view kEventRowName = "macro_action";
inline constexpr std::string_view kEventNameLabel = "macro_event_name";
inline constexpr std::string_view kEventActionLabel = "macro_event_action";
inline constexpr std::string_view kDelayFieldName = "macro_delay";
inline constexpr int kEventRowHeight = 30;

// A row for the event object {"Type", "Button", "Action", "Delay"}; its field shows the delay.
std::unique_ptr<ui::ListContainerElement> makeEventRow(const Json::Value& event);

// The event the row stands for; null when its text is none.
Json::Value rowEvent(const ui::Control& row);
// Stores the event in the row and shows its name and action anew; the field keeps its text.
void setRowEvent(ui::Control& row, const Json::Value& event);

ui::Edit* rowDelayField(const ui::Control& row);
// Shows a pause in the row's field; the field takes 65535 at the most.
void showRowDelay(ui::Control& row, uint32_t delayMs);

} // namespace morva::macros
