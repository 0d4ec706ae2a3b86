#include "macros/panel/macro_label_styles.h"

#include "ui/toolkit/control.h"

#include <array>
#include <cstdint>

namespace morva::macros {
namespace {

struct StyleLook {
    std::string_view name;
    uint32_t textColor;
    std::string_view textKey; // empty: the label keeps its text
};

constexpr std::array<StyleLook, 5> kLooks = {{
    {"macro_label_keyboard_style", 0xFFE6E9EF, ""},
    {"macro_label_mouse_style", 0xFF66B8FF, ""},
    {"macro_label_down_style", 0xFF5BD17A, "macro_action_down_text"},
    {"macro_label_up_style", 0xFF9AA3B2, "macro_action_up_text"},
    {"macro_label_text_style", 0xFFE6E9EF, ""},
}};

const StyleLook& lookOf(MacroLabelStyle style) {
    return kLooks[static_cast<size_t>(style)];
}

} // namespace

std::string_view labelStyleName(MacroLabelStyle style) {
    return lookOf(style).name;
}

void applyLabelStyle(ui::Control& label, MacroLabelStyle style) {
    const StyleLook& look = lookOf(style);
    label.setAttribute("style", look.name);
    label.setTextColor(look.textColor);
    if (!look.textKey.empty()) {
        label.setTextKey(look.textKey);
    }
}

} // namespace morva::macros
