#pragma once

#include "ui/controls/power_report.h"
#include "ui/toolkit/container.h"

#include <cstdint>

namespace morva::ui {

// The power widget of a device page, shown in the status line. The main window gives it the
// type and role of its device-bar row; the type is its mode: a mouse's widget (2) shows the
// wireless logo, a pad's (3) the phone on the pad. The device object shows or hides its
// "device_power_Layout" child and hands it each status report.
class CMpDevicePowerUI : public HorizontalLayout {
public:
    static constexpr std::string_view kClassName = "MpDevicePower";
    static constexpr std::string_view kPowerLayoutName = "device_power_Layout";
    static constexpr std::string_view kValueName = "device_power_value";
    static constexpr std::string_view kWirelessLogoName = "device_wuxian_logo";
    static constexpr std::string_view kProgressName = "device_Power_progress";
    static constexpr std::string_view kStatusName = "device_power_status";
    static constexpr std::string_view kPhoneTypeName = "device_phone_type";
    static constexpr uint16_t kWirelessLogoMode = 2;
    static constexpr uint16_t kPhoneTypeMode = 3;
    std::string_view className() const override { return kClassName; }

    void setDeviceKind(uint16_t deviceType, uint16_t role);
    uint16_t deviceType() const { return deviceType_; }
    uint16_t role() const { return role_; }

    // Shows or hides "device_power_Layout" when the widget has it.
    void showPowerLayout(bool show);

    // Battery level as a number and a bar, the charging picture (the bar hidden while a
    // wireless device charges), the wireless logo and the phone on the pad by the mode.
    void showReport(const PowerReport& report);

private:
    void showCharging(const PowerReport& report);
    void showPhone(uint8_t phoneType);

    uint16_t deviceType_ = 0;
    uint16_t role_ = 0;
};

} // namespace morva::ui
