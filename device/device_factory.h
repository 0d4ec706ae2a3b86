#pragma once

#include "ui/toolkit/control.h"
#include "ui/toolkit/control_factory.h"

#include <memory>
#include <string_view>

namespace morva::device {

// Registers the device classes the control factory creates by name: "CKestraneUSBDevice",
// "CKestraneMousePadDevice" and "CKestraneHS6533Device".
void registerDeviceClasses(ui::ControlFactory& factory);

// The device object for a page's skin tag ("KestraneKeyboardDevice", "KestraneMouseDevice",
// "KestraneMousePadDevice", "KestraneHS6533Device", compared without case), or null.
std::unique_ptr<ui::Control> createDeviceForTag(std::string_view tag);

} // namespace morva::device
