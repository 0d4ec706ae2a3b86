#include "ui/controls/device_key_button.h"

#include "base/text.h"
#include "ui/toolkit/notification.h"

#include <algorithm>

namespace morva::ui {

void CDeviceKeyButtonUI::setLed(uint32_t rgb, uint8_t intensity, bool lit) {
    if (ledColour_ == rgb && ledIntensity_ == intensity && lit_ == lit) {
        return;
    }
    ledColour_ = rgb & 0xFFFFFFu;
    ledIntensity_ = intensity;
    lit_ = lit;
    changed(Property::Custom);
}

void CDeviceKeyButtonUI::setKeySelected(bool selected) {
    if (keySelected_ != selected) {
        keySelected_ = selected;
        changed(Property::Custom);
    }
}

void CDeviceKeyButtonUI::setBandSelected(bool selected) {
    if (bandSelected_ != selected) {
        bandSelected_ = selected;
        changed(Property::Custom);
    }
}

void CDeviceKeyButtonUI::setLightImage(std::string image) {
    lightImage_ = std::move(image);
    changed(Property::Custom);
}

void CDeviceKeyButtonUI::setKeySetImage(std::string image) {
    keySetImage_ = std::move(image);
    changed(Property::Custom);
}

bool CDeviceKeyButtonUI::setAttribute(std::string_view name, std::string_view value) {
    if (equalsIgnoreCase(name, "lightimage")) {
        setLightImage(std::string(value));
        return true;
    }
    if (equalsIgnoreCase(name, "keysetimage")) {
        setKeySetImage(std::string(value));
        return true;
    }
    if (equalsIgnoreCase(name, "gmnametextcolor")) {
        return true;
    }
    return Button::setAttribute(name, value);
}

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
