#pragma once

#include "ui/toolkit/container.h"

#include <cstdint>

namespace morva::ui {

// The power widget of a device page, shown in the status line. The main window gives it the
// type and role of its device-bar row; the device object shows or hides its
// "device_power_Layout" child. Status reports are shown by the device classes that poll them.
class CMpDevicePowerUI : public HorizontalLayout {
public:
    static constexpr std::string_view kClassName = "MpDevicePower";
    static constexpr std::string_view kPowerLayoutName = "device_power_Layout";
    std::string_view className() const override { return kClassName; }

    void setDeviceKind(uint16_t deviceType, uint16_t role);
    uint16_t deviceType() const { return deviceType_; }
    uint16_t role() const { return role_; }

    // Shows or hides "device_power_Layout" when the widget has it.
    void showPowerLayout(bool show);

private:
    uint16_t deviceType_ = 0;
    uint16_t role_ = 0;
};

} // namespace morva::ui
