#pragma once

#include "profiles/profile_records.h"
#include "ui/toolkit/geometry.h"
#include "ui/toolkit/notification_router.h"

#include <functional>

namespace morva::device {
class CKestraneUSBDevice;
}
namespace morva::lighting {
class CLightControlUI;
}

namespace morva::app {

// The lighting panel's events on the main window's router: each edit changes one field of the
// current device's light settings and runs the apply sequence — set light settings (into the
// profile), save profile, load light settings (the engine takes them), write settings (the
// device takes them). Edits of the user's own take the device out of synchronised lighting.
class LightPanelRoutes {
public:
    using DeviceSource = std::function<device::CKestraneUSBDevice*()>;
    using ScreenSize = std::function<ui::Size()>;

    LightPanelRoutes(DeviceSource currentDevice, ScreenSize screenSize)
        : currentDevice_(std::move(currentDevice)), screenSize_(std::move(screenSize)) {}

    void registerOn(ui::NotificationRouter& router);

private:
    using Change = std::function<void(profiles::LightInfoRecord&, lighting::CLightControlUI&)>;
    // Runs the apply sequence with one change on the current device and its panel.
    void apply(bool leavesSynchronisation, const Change& change);
    // A colour from the palette or a swatch: one colour, the cycle off, shown everywhere.
    void applyColour(bool leavesSynchronisation, uint32_t colour);
    void applyColourEdit(int channel);

    DeviceSource currentDevice_;
    ScreenSize screenSize_;
};

} // namespace morva::app
