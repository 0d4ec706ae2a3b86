#include "device/headset/hs6533_device.h"

namespace morva::device {

CKestraneHS6533Device::CKestraneHS6533Device() : CKestraneUSBDevice(hid::kDeviceHeadset) {}

CKestraneHS6533Device::~CKestraneHS6533Device() {
    // The event thread calls back into this object: end it while the object is whole.
    CloseEventChannel();
}

void CKestraneHS6533Device::BindPage() {
    BindDevicePage(profile_);
}

bool CKestraneHS6533Device::OpenEventChannel(const hid::InterfaceSlot& slot) {
    return StartEventThread(slot);
}

void CKestraneHS6533Device::ResolveProfilePaths() {
    ResolveProfilePathsOf(profile_);
}

std::string CKestraneHS6533Device::GetProfilePath() const {
    return profile_.GetProfilePath().string();
}

} // namespace morva::device
