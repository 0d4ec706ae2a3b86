#include "device/keyboard/keyboard_device.h"

namespace morva::device {

CKestraneKeyboardDevice::CKestraneKeyboardDevice() : CKestraneUSBDevice(hid::kDeviceKeyboard) {}

CKestraneKeyboardDevice::~CKestraneKeyboardDevice() {
    // The event thread calls back into this object: end it while the object is whole.
    CloseEventChannel();
}

void CKestraneKeyboardDevice::BindPage() {
    BindDevicePage(profile_);
}

bool CKestraneKeyboardDevice::OpenEventChannel(const hid::InterfaceSlot& slot) {
    return StartEventThread(slot);
}

void CKestraneKeyboardDevice::ResolveProfilePaths() {
    ResolveProfilePathsOf(profile_);
}

std::string CKestraneKeyboardDevice::GetProfilePath() const {
    return profile_.GetProfilePath().string();
}

} // namespace morva::device
