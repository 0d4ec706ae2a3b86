#include "ui/controls/circle_progress.h"

#include "base/text.h"
#include "ui/toolkit/attribute_parse.h"

#include <algorithm>

namespace morva::ui {

double CCircleProgressUI::sweepDegrees() const {
    const int range = maxValue() - minValue();
    if (range <= 0) {
        return 0.0;
    }
    return std::clamp(static_cast<double>(value()) / range * 360.0, 0.0, 360.0);
}

uint32_t CCircleProgressUI::foreColor() const {
    return foreColor_ != 0 ? foreColor_ : textColor();
}

bool CCircleProgressUI::setAttribute(std::string_view name, std::string_view value) {
    if (equalsIgnoreCase(name, "forecolor")) {
        if (const auto colour = attr::parseColor(value)) {
            assign(foreColor_, *colour, Property::Custom);
            return true;
        }
        return false;
    }
    return Progress::setAttribute(name, value);
}

} // namespace morva::ui
