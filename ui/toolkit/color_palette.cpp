#include "ui/toolkit/color_palette.h"

#include "ui/toolkit/notification.h"

namespace morva::ui {

void ColorPalette::setColor(uint32_t argb) {
    assign(color_, argb, Property::Value);
}

bool ColorPalette::userPickColor(uint32_t argb) {
    if (!enabledInTree()) {
        return false;
    }
    setColor(argb);
    sendNotify(notify::kColorChanged);
    return true;
}

} // namespace morva::ui
