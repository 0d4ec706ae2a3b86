#include "ui/toolkit/progress.h"

#include "base/text.h"
#include "ui/toolkit/attribute_parse.h"
#include "ui/toolkit/notification.h"

#include <algorithm>

namespace morva::ui {

bool Progress::setRange(int minValue, int maxValue) {
    if (maxValue < minValue) {
        return false;
    }
    if (min_ != minValue || max_ != maxValue) {
        min_ = minValue;
        max_ = maxValue;
        changed(Property::Value);
    }
    setValue(value_);
    return true;
}

void Progress::setValue(int value) {
    assign(value_, std::clamp(value, min_, max_), Property::Value);
}

bool Progress::setAttribute(std::string_view name, std::string_view value) {
    const std::string key = toLowerAscii(name);
    const auto number = attr::parseInt(value);
    if (key == "min") {
        if (number) {
            setRange(*number, std::max(*number, max_));
        }
    } else if (key == "max") {
        if (number) {
            setRange(std::min(min_, *number), *number);
        }
    } else if (key == "value") {
        if (number) {
            setValue(*number);
        }
    } else {
        return Label::setAttribute(name, value);
    }
    return true;
}

void Slider::setStep(int step) {
    if (step > 0) {
        assign(step_, step, Property::Value);
    }
}

bool Slider::userMoveTo(int value) {
    if (!enabledInTree()) {
        return false;
    }
    setValue(value);
    sendNotify(notify::kMoveValueChanged);
    return true;
}

bool Slider::userSetValue(int value) {
    if (!enabledInTree()) {
        return false;
    }
    setValue(value);
    sendNotify(notify::kValueChanged);
    return true;
}

bool Slider::setAttribute(std::string_view name, std::string_view value) {
    if (equalsIgnoreCase(name, "step")) {
        if (const auto v = attr::parseInt(value)) {
            setStep(*v);
        }
        return true;
    }
    return Progress::setAttribute(name, value);
}

} // namespace morva::ui
