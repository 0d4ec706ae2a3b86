#pragma once

#include "ui/toolkit/control.h"

namespace morva::ui {

// Shows a text; its layout attributes ("align", "textpadding", ...) stay as attributes for the
// renderer.
class Label : public Control {
public:
    std::string_view className() const override { return "Label"; }
};

// A label whose text may wrap over several lines.
class Text : public Label {
public:
    std::string_view className() const override { return "Text"; }
};

} // namespace morva::ui
