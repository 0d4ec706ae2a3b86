#pragma once

#include "ui/toolkit/geometry.h"
#include "ui/toolkit/notification_router.h"

#include <functional>
#include <vector>

namespace morva::device {
class CKestraneUSBDevice;
}
namespace morva::ui {
class Control;
}

namespace morva::app {

// Painting a keyboard's keys on its page while the lighting panel is shown: a key click paints
// that key, a rubber band the keys it touches, the two fill buttons every key; choosing a custom
// group switches to it. Other devices and the key-assignment panel take none of it.
class CustomLightRoutes {
public:
    using DeviceSource = std::function<device::CKestraneUSBDevice*()>;
    using ScreenSize = std::function<ui::Size()>;

    CustomLightRoutes(DeviceSource currentDevice, ScreenSize screenSize)
        : currentDevice_(std::move(currentDevice)), screenSize_(std::move(screenSize)) {}

    void registerOn(ui::NotificationRouter& router);

private:
    DeviceSource currentDevice_;
    ScreenSize screenSize_;
};

// The positions of the band-selected key buttons among the panel's children, in their order,
// each once: the number after the last "_" of a button's name (0 when it is not a number).
std::vector<int> bandSelectedPositions(const ui::Control& selectPanel);

} // namespace morva::app
