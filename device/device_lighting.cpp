#include "device/device_lighting.h"

#include "hid/hid_model_tables.h"

namespace morva::device {

namespace {
const lighting::EffectTable kNoEffects{};
}

const lighting::EffectTable& effectsOfType(uint16_t deviceType) {
    switch (deviceType) {
    case hid::kDeviceKeyboard:
        return lighting::keyboardEffects();
    case hid::kDeviceMouse:
    case hid::kDeviceWirelessMouse:
        return lighting::mouseEffects();
    case hid::kDeviceMousePad:
        return lighting::mousePadEffects();
    case hid::kDeviceHeadset:
        return lighting::headsetEffects();
    default:
        return kNoEffects;
    }
}

bool runsRegionOverlays(uint16_t deviceType) {
    return deviceType != hid::kDeviceMouse && deviceType != hid::kDeviceWirelessMouse;
}

} // namespace morva::device
