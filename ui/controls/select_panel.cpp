#include "ui/controls/select_panel.h"

#include "ui/controls/device_key_button.h"
#include "ui/toolkit/notification.h"

#include <algorithm>

namespace morva::ui {

void CSelectPanelUI::handleEvent(const UiEvent& e) {
    switch (e.type) {
    case EventType::ButtonDown:
        armed_ = enabledInTree();
        dragging_ = false;
        anchor_ = e.point;
        return;
    case EventType::MouseMove:
        if (armed_) {
            extendBand(e.point);
        }
        return;
    case EventType::ButtonUp:
        armed_ = false;
        if (dragging_) {
            endBand();
        }
        return;
    default:
        VerticalLayout::handleEvent(e);
    }
}

void CSelectPanelUI::extendBand(Point to) {
    dragging_ = true;
    band_ = {std::min(anchor_.x, to.x), std::min(anchor_.y, to.y), std::max(anchor_.x, to.x),
             std::max(anchor_.y, to.y)};
    changed(Property::Custom);
}

void CSelectPanelUI::endBand() {
    dragging_ = false;
    for (const auto& child : children()) {
        if (auto* key = dynamic_cast<CDeviceKeyButtonUI*>(child.get())) {
            key->setBandSelected(key->layoutRect().intersects(band_));
        }
    }
    changed(Property::Custom);
    sendNotify(notify::kClickSelectEnd);
}

} // namespace morva::ui
