#pragma once

#include "ui/toolkit/button.h"

#include <cstdint>
#include <string>

namespace morva::ui {

// A key or LED button of a device picture. The device object finds it by its user data ("key_"
// or "light_" followed by the position) and gives it the colour of its LED.
// Only the state the device pages set is here; painting belongs to the front-end.
class CDeviceKeyButtonUI : public Button {
public:
    static constexpr std::string_view kClassName = "DeviceKeyButton";
    std::string_view className() const override { return kClassName; }

    // Colour as 24-bit RGB with red in the low byte.
    uint32_t ledColour() const { return ledColour_; }
    uint8_t ledIntensity() const { return ledIntensity_; }
    bool lit() const { return lit_; }
    void setLed(uint32_t rgb, uint8_t intensity, bool lit);

    // Marked as the key whose assignment the key panel shows.
    bool keySelected() const { return keySelected_; }
    void setKeySelected(bool selected);
    // Covered by the last rubber band of its select panel.
    bool bandSelected() const { return bandSelected_; }
    void setBandSelected(bool selected);

    const std::string& lightImage() const { return lightImage_; }
    void setLightImage(std::string image);
    const std::string& keySetImage() const { return keySetImage_; }
    void setKeySetImage(std::string image);

    bool setAttribute(std::string_view name, std::string_view value) override;

protected:
    // A double click while enabled sends "dbclick".
    void handleEvent(const UiEvent& e) override;

private:
    uint32_t ledColour_ = 0x0000FF; // pure red
    uint8_t ledIntensity_ = 200;
    bool lit_ = false;
    bool keySelected_ = false;
    bool bandSelected_ = false;
    std::string lightImage_;
    std::string keySetImage_;
};

} // namespace morva::ui
