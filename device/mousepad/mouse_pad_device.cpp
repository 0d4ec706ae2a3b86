#include "device/mousepad/mouse_pad_device.h"

namespace morva {

CKestraneMousePadDevice::CKestraneMousePadDevice() : CKestraneUSBDevice(kDeviceMousePad) {}

CKestraneMousePadDevice::~CKestraneMousePadDevice() {
    // The event thread calls back into this object: end it while the object is whole.
    CloseEventChannel();
}

void CKestraneMousePadDevice::BindPage() {
    BindDevicePage(profile_);
}

bool CKestraneMousePadDevice::OpenEventChannel(const InterfaceSlot& slot) {
    return StartEventThread(slot);
}

void CKestraneMousePadDevice::ResolveProfilePaths() {
    ResolveProfilePathsOf(profile_);
}

std::string CKestraneMousePadDevice::GetProfilePath() const {
    return profile_.GetProfilePath().string();
}

} // namespace morva
