#pragma once

#include "platform/device_change_monitor.h"

#include <filesystem>

namespace morva::platform {

// Where the udev daemon keeps its control socket while it runs.
inline constexpr const char* kUdevRuntimeFolder = "/run/udev";

// A monitor of hidraw nodes on the udev daemon's events. Null, with the reason, when no daemon
// runs (no control socket in udevRuntime, as in a container without udev) or no monitor can be
// made: the kernel's own events come before the node has its permissions, and nothing else sends
// the daemon's.
std::unique_ptr<DeviceChangeMonitor>
openUdevChangeMonitor(std::string& whyNot,
                      const std::filesystem::path& udevRuntime = kUdevRuntimeFolder);

} // namespace morva::platform
