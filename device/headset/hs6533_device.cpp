#include "device/headset/hs6533_device.h"

#include "device/headset/headset_lighting_reports.h"

namespace morva::device {

CKestraneHS6533Device::CKestraneHS6533Device() : MirroredSettingsDevice(hid::kDeviceHeadset) {}

CKestraneHS6533Device::~CKestraneHS6533Device() {
    // The event thread calls back into this object: end it while the object is whole.
    CloseEventChannel();
}

void CKestraneHS6533Device::LightingRefresh() {
    if (lightOutput() == 0 || !commandChannel().isOpen()) {
        return;
    }
    for (const HeadsetReport& report : encodeHeadsetFrame(lighting_.engine->leds())) {
        commandHid().SetOutputReport(report.data(), static_cast<uint32_t>(report.size()));
    }
}

} // namespace morva::device
