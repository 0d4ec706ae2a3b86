#include "device/mouse/mouse_device.h"

namespace morva::device {

CKestraneMouseDevice::CKestraneMouseDevice() : CKestraneUSBDevice(hid::kDeviceMouse) {}

CKestraneMouseDevice::~CKestraneMouseDevice() {
    // The event thread calls back into this object: end it while the object is whole.
    CloseEventChannel();
}

void CKestraneMouseDevice::BindPage() {
    BindDevicePage(profile_);
}

bool CKestraneMouseDevice::OpenEventChannel(const hid::InterfaceSlot& slot) {
    return StartEventThread(slot);
}

void CKestraneMouseDevice::ResolveProfilePaths() {
    ResolveProfilePathsOf(profile_);
}

std::string CKestraneMouseDevice::GetProfilePath() const {
    return profile_.GetProfilePath().string();
}

} // namespace morva::device
