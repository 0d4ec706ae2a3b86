#pragma once

#include "device/key_assigned_device.h"
#include "device/profiled_device.h"
#include "profiles/mouse_profiledata.h"

namespace morva::device {

// The device object of a mouse, wired or behind a wireless receiver.
class CKestraneMouseDevice : public KeyAssignedDevice<HostLitDevice<profiles::CMouseProfiledata>> {
public:
    static constexpr std::string_view kClassName = "KestraneMouseDevice";
    static constexpr std::string_view kFactoryName = "CKestraneMouseDevice";

    CKestraneMouseDevice();
    ~CKestraneMouseDevice() override;

    std::string_view className() const override { return kClassName; }

    void BindPage() override;
    // The logo segments "light_0_" n show LED n, then the LEDs go to the mouse.
    void LightingRefresh() override;

private:
    std::vector<ui::ControlRef> logoSegments_;
};

} // namespace morva::device
