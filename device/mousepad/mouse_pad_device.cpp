#include "device/mousepad/mouse_pad_device.h"

namespace morva::device {

CKestraneMousePadDevice::CKestraneMousePadDevice() : CKestraneUSBDevice(hid::kDeviceMousePad) {}

CKestraneMousePadDevice::~CKestraneMousePadDevice() {
    // The event thread calls back into this object: end it while the object is whole.
    CloseEventChannel();
}

void CKestraneMousePadDevice::BindPage() {
    BindDevicePage(profile_);
}

bool CKestraneMousePadDevice::OpenEventChannel(const hid::InterfaceSlot& slot) {
    return StartEventThread(slot);
}

void CKestraneMousePadDevice::ResolveProfilePaths() {
    ResolveProfilePathsOf(profile_);
}

std::string CKestraneMousePadDevice::GetProfilePath() const {
    return profile_.GetProfilePath().string();
}

} // namespace morva::device
