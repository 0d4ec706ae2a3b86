#include "device/device_factory.h"

#include "base/text.h"
#include "device/headset/hs6533_device.h"
#include "device/keyboard/keyboard_device.h"
#include "device/mouse/mouse_device.h"
#include "device/mousepad/mouse_pad_device.h"

namespace morva::device {

namespace {
template <typename T> std::unique_ptr<ui::Control> make() {
    return std::make_unique<T>();
}
} // namespace

void registerDeviceClasses(ui::ControlFactory& factory) {
    factory.registerClass(CKestraneUSBDevice::kFactoryName, make<CKestraneUSBDevice>);
    factory.registerClass(CKestraneMousePadDevice::kFactoryName, make<CKestraneMousePadDevice>);
    factory.registerClass(CKestraneHS6533Device::kFactoryName, make<CKestraneHS6533Device>);
}

std::unique_ptr<ui::Control> createDeviceForTag(std::string_view tag) {
    if (equalsIgnoreCase(tag, CKestraneMousePadDevice::kClassName)) {
        return make<CKestraneMousePadDevice>();
    }
    if (equalsIgnoreCase(tag, CKestraneHS6533Device::kClassName)) {
        return make<CKestraneHS6533Device>();
    }
    if (equalsIgnoreCase(tag, CKestraneMouseDevice::kClassName)) {
        return make<CKestraneMouseDevice>();
    }
    if (equalsIgnoreCase(tag, CKestraneKeyboardDevice::kClassName)) {
        return make<CKestraneKeyboardDevice>();
    }
    return nullptr;
}

} // namespace morva::device
