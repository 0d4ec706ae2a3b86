#include "ui/controls/mp_device_power.h"

namespace morva::ui {

void CMpDevicePowerUI::setDeviceKind(uint16_t deviceType, uint16_t role) {
    deviceType_ = deviceType;
    role_ = role;
}

void CMpDevicePowerUI::showPowerLayout(bool show) {
    if (Control* layout = findDescendant(kPowerLayoutName)) {
        layout->setVisible(show);
    }
}

} // namespace morva::ui
