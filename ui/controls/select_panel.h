#pragma once

#include "ui/toolkit/container.h"

namespace morva::ui {

// The panel that holds a device picture's key and LED buttons. Dragging over it draws a rubber
// band; when the button is released, every key button the band touches is band-selected, every
// other one is not, and the panel sends "click_select_end". A press and release without a move
// in between changes nothing.
class CSelectPanelUI : public VerticalLayout {
public:
    static constexpr std::string_view kClassName = "SelectPanel";
    std::string_view className() const override { return kClassName; }

    bool dragging() const { return dragging_; }
    // Between the point pressed and the pointer, in window coordinates.
    const Rect& band() const { return band_; }

protected:
    void handleEvent(const UiEvent& e) override;

private:
    void extendBand(Point to);
    void endBand();

    Point anchor_;
    bool armed_ = false;
    bool dragging_ = false;
    Rect band_;
};

} // namespace morva::ui
