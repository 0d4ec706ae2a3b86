#pragma once

#include "ui/toolkit/label.h"

namespace morva::ui {

// Sends "click" when activated while enabled.
class Button : public Label {
public:
    std::string_view className() const override { return "Button"; }

    // What a click does; also callable by logic that wants to press the button. Returns false
    // (and sends nothing) while the button or one of its ancestors is disabled.
    virtual bool activate();

protected:
    void handleEvent(const UiEvent& e) override;
};

} // namespace morva::ui
