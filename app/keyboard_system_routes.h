#pragma once

#include "ui/toolkit/notification_router.h"

#include <functional>

namespace morva::device {
class CKestraneUSBDevice;
}

namespace morva::app {

// The system controls of a keyboard's page on the main window's router: the report rate, the
// Windows-key lock, the W flag and the 6-key flag are stored and sent to the keyboard at once,
// the repeat rate and delay are stored.
class KeyboardSystemRoutes {
public:
    explicit KeyboardSystemRoutes(std::function<device::CKestraneUSBDevice*()> currentDevice)
        : currentDevice_(std::move(currentDevice)) {}

    void registerOn(ui::NotificationRouter& router);

private:
    std::function<device::CKestraneUSBDevice*()> currentDevice_;
};

} // namespace morva::app
