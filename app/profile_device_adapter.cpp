#include "app/profile_device_adapter.h"

#include "device/usb_device.h"

namespace morva::app {

void ProfileDeviceAdapter::setProfileIdentifier(const std::string& identifier) {
    if (device_ == nullptr) {
        return;
    }
    device_->SetProfileIdentifier(identifier);
    device_->ResolveProfilePaths();
}

int ProfileDeviceAdapter::applyFullProfileWrite(profiles::ProfileWriteReason /*reason*/) {
    if (device_ == nullptr) {
        return 0;
    }
    const ui::Size screen = screenSize_ ? screenSize_() : ui::Size{};
    device_->ApplyProfile();
    device_->ValidateMacroKeys();
    device_->RefreshPage();
    device_->WriteSettings({.screenWidth = screen.cx, .screenHeight = screen.cy});
    const int macros = device_->WriteMacros();
    device_->WriteCurrentKeyTable(0);
    return macros;
}

} // namespace morva::app
