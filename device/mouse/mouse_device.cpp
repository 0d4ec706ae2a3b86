#include "device/mouse/mouse_device.h"

#include "ui/controls/device_key_button.h"

#include <string>

namespace morva::device {

CKestraneMouseDevice::CKestraneMouseDevice() : KeyAssignedDevice(hid::kDeviceMouse) {}

CKestraneMouseDevice::~CKestraneMouseDevice() {
    // The event thread calls back into this object: end it while the object is whole.
    CloseEventChannel();
}

void CKestraneMouseDevice::BindPage() {
    KeyAssignedDevice::BindPage();
    logoSegments_.clear();
    for (int n = 0; n < ledCount(); ++n) {
        if (ui::Control* segment = findDescendant("light_0_" + std::to_string(n))) {
            logoSegments_.push_back(segment->ref());
        }
    }
}

void CKestraneMouseDevice::LightingRefresh() {
    for (size_t n = 0; n < logoSegments_.size(); ++n) {
        if (auto* segment = dynamic_cast<ui::CDeviceKeyButtonUI*>(logoSegments_[n].get())) {
            const uint32_t colour = GetLedColour(static_cast<int>(n));
            segment->setLed(colour & 0xFFFFFFu, static_cast<uint8_t>(colour >> 24), true);
        }
    }
    SendLiveFrame();
}

} // namespace morva::device
