#include "ui/controls/device_key_button.h"

#include "base/text.h"
#include "ui/toolkit/notification.h"

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

void CDeviceKeyButtonUI::handleEvent(const UiEvent& e) {
    if (e.type == EventType::DoubleClick) {
        if (enabledInTree()) {
            sendNotify(notify::kDbClick);
        }
        return;
    }
    Button::handleEvent(e);
}

} // namespace morva::ui
