#include "ui/controls/mp_device_power.h"

#include "ui/toolkit/progress.h"

#include <string>

namespace morva::ui {
namespace {

constexpr int kFullBattery = 100;

struct PhoneLook {
    std::string_view textKey;
    std::string_view image;
};

PhoneLook phoneLook(uint8_t phoneType) {
    switch (static_cast<PowerReport::Phone>(phoneType)) {
    case PowerReport::Phone::IPhone:
        return {"Phone_type_iphone", "file='power/Phone_type_iphone.svg'"};
    case PowerReport::Phone::Samsung:
        return {"Phone_type_samsung", "file='power/Phone_type_samsung.svg'"};
    case PowerReport::Phone::Other:
        return {"Phone_type_other", "file='power/Phone_type_other.svg'"};
    default:
        return {"Phone_type_no_device", "file='power/Phone_type_no_device.svg'"};
    }
}

} // namespace

void CMpDevicePowerUI::setDeviceKind(uint16_t deviceType, uint16_t role) {
    deviceType_ = deviceType;
    role_ = role;
}

void CMpDevicePowerUI::showPowerLayout(bool show) {
    if (Control* layout = findDescendant(kPowerLayoutName)) {
        layout->setVisible(show);
    }
}

void CMpDevicePowerUI::showReport(const PowerReport& report) {
    // The bar fills from the right: its value is the part of the battery that is used.
    if (auto* progress = dynamic_cast<Progress*>(findDescendant(kProgressName))) {
        progress->setValue(kFullBattery - report.batteryPercent);
    }
    if (Control* value = findDescendant(kValueName)) {
        value->setText(std::to_string(report.batteryPercent) + "%");
    }
    if (Control* logo = findDescendant(kWirelessLogoName);
        logo && deviceType_ == kWirelessLogoMode) {
        logo->setVisible(report.wireless);
    }
    showCharging(report);
    if (deviceType_ == kPhoneTypeMode) {
        showPhone(report.phoneType);
    }
}

void CMpDevicePowerUI::showCharging(const PowerReport& report) {
    std::string_view image;
    bool showProgress = true;
    switch (static_cast<PowerReport::Charging>(report.chargingState)) {
    case PowerReport::Charging::Powered:
        image = "file='power/powered.svg'";
        break;
    case PowerReport::Charging::Charging:
        image = report.wireless ? "file='power/wuxian_powering.svg'" : "file='power/powering.svg'";
        showProgress = !report.wireless;
        break;
    case PowerReport::Charging::Low:
        image = "file='power/power.svg'";
        break;
    default:
        // A state the widget does not know leaves the picture and the bar as they are.
        return;
    }
    if (Control* progress = findDescendant(kProgressName)) {
        progress->setVisible(showProgress);
    }
    if (Control* status = findDescendant(kStatusName)) {
        status->setBkImage(std::string(image));
    }
}

void CMpDevicePowerUI::showPhone(uint8_t phoneType) {
    Control* phone = findDescendant(kPhoneTypeName);
    if (phone == nullptr) {
        return;
    }
    const PhoneLook look = phoneLook(phoneType);
    phone->setVisible(true);
    phone->setTextKey(look.textKey);
    phone->setBkImage(std::string(look.image));
}

} // namespace morva::ui
