#pragma once

#include "ui/toolkit/geometry.h"
#include "ui/toolkit/notification_router.h"

#include <functional>

namespace morva::device {
class CKestraneUSBDevice;
}

namespace morva::app {

// The cursor page of a mouse on the main window's router: DPI stages and the report rate are
// stored and sent to the mouse at once; pointer speed and precision, scroll speed, whole-page
// scrolling and the double-click time are stored.
class MousePageRoutes {
public:
    MousePageRoutes(std::function<device::CKestraneUSBDevice*()> currentDevice,
                    std::function<ui::Size()> screenSize)
        : currentDevice_(std::move(currentDevice)), screenSize_(std::move(screenSize)) {}

    void registerOn(ui::NotificationRouter& router);

private:
    std::function<device::CKestraneUSBDevice*()> currentDevice_;
    std::function<ui::Size()> screenSize_;
};

} // namespace morva::app
