#pragma once

#include "ui/toolkit/control.h"

#include <cstdint>

namespace morva::ui {

// A colour chooser. The renderer reports the user's pick with userPickColor, which sends
// "colorchanged"; logic sets the colour silently with setColor.
class ColorPalette : public Control {
public:
    std::string_view className() const override { return "ColorPalette"; }

    // 0xAARRGGBB.
    uint32_t color() const { return color_; }
    void setColor(uint32_t argb);
    bool userPickColor(uint32_t argb);

private:
    uint32_t color_ = 0xFFFF0000u;
};

} // namespace morva::ui
