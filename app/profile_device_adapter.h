#pragma once

#include "profiles/panel/profile_panel_device.h"
#include "ui/toolkit/geometry.h"

#include <functional>

namespace morva::device {
class CKestraneUSBDevice;
}

namespace morva::app {

// Lets the profile panel's routes write a chosen profile to the current device object through
// its virtual operations. The main window points it at the current device before each use.
class ProfileDeviceAdapter final : public profiles::ProfilePanelDevice {
public:
    using ScreenSize = std::function<ui::Size()>;
    explicit ProfileDeviceAdapter(ScreenSize screenSize) : screenSize_(std::move(screenSize)) {}

    // Null: no device; the adapter must not be used then.
    void bind(device::CKestraneUSBDevice* device) { device_ = device; }
    device::CKestraneUSBDevice* device() const { return device_; }

    void setProfileIdentifier(const std::string& identifier) override;
    // Apply profile, validate macro keys, refresh page, write settings (0, 0, 1, screen width,
    // screen height), write macros, then write the current key table (0) whatever that gave.
    int applyFullProfileWrite(profiles::ProfileWriteReason reason) override;

private:
    ScreenSize screenSize_;
    device::CKestraneUSBDevice* device_ = nullptr;
};

} // namespace morva::app
