#pragma once

#include "ui/toolkit/label.h"

namespace morva::ui {

// A value between a minimum and a maximum; the value is kept inside them.
class Progress : public Label {
public:
    std::string_view className() const override { return "Progress"; }

    int minValue() const { return min_; }
    int maxValue() const { return max_; }
    int value() const { return value_; }
    // A range whose maximum is below its minimum is refused.
    bool setRange(int minValue, int maxValue);
    void setValue(int value);

    bool setAttribute(std::string_view name, std::string_view value) override;

private:
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
};

// A progress the user drags: moving sends "movevaluechanged", letting go "valuechanged".
class Slider : public Progress {
public:
    std::string_view className() const override { return "Slider"; }

    int step() const { return step_; }
    void setStep(int step);

    // Renderer actions while dragging and when the user lets go (or uses the keys). Nothing is
    // sent while disabled.
    bool userMoveTo(int value);
    bool userSetValue(int value);

    bool setAttribute(std::string_view name, std::string_view value) override;

private:
    int step_ = 1;
};

} // namespace morva::ui
