#pragma once

#include <string_view>

namespace morva::ui {

// What changed on a control, so a renderer repaints or re-reads only that.
enum class Property {
    Visible,
    Enabled,
    Text, // the text, or its resolution after a language reload
    ToolTip,
    BkColor,
    BkImage,
    ForeImage,
    Image, // the other state images (normal, hot, pushed, selected, ...)
    UserData,
    Font,
    TextColor,
    Geometry,  // width, height, position, padding, floating
    Selected,  // option and check box state, tab layout page, combo and list selection
    Value,     // slider and progress value or range, palette colour
    Items,     // combo items
    EditState, // edit limits, read-only, selection
    Children,  // a child was added or removed
    Custom,    // anything else a custom control shows (LED colour, selection band, ...)
};

std::string_view propertyName(Property property);

} // namespace morva::ui
