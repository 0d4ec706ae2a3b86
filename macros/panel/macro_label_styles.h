#pragma once

#include <string_view>

namespace morva::ui {
class Control;
}

namespace morva::macros {

// The looks of the labels of an event row: a keyboard or a mouse event's name, a press, a
// release, and plain text (a movement's distance).
enum class MacroLabelStyle { Keyboard, Mouse, Down, Up, Text };

// "macro_label_keyboard_style" and the like.
std::string_view labelStyleName(MacroLabelStyle style);

// Gives the label the style's colours and, for a press or a release, its text; the style's name
// stays readable as the label's "style" attribute.
void applyLabelStyle(ui::Control& label, MacroLabelStyle style);

} // namespace morva::macros
