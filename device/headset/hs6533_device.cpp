#include "device/headset/hs6533_device.h"

namespace morva::device {

CKestraneHS6533Device::CKestraneHS6533Device() : HostLitDevice(hid::kDeviceHeadset) {}

CKestraneHS6533Device::~CKestraneHS6533Device() {
    // The event thread calls back into this object: end it while the object is whole.
    CloseEventChannel();
}

} // namespace morva::device
