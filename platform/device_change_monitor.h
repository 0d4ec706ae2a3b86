#pragma once

#include <functional>
#include <memory>
#include <stop_token>
#include <string>

namespace morva::platform {

// Tells when HID nodes come or go, so that discovery can sleep until then instead of looking
// again and again. The descriptor becomes readable when events wait; draining takes them all.
class DeviceChangeMonitor {
public:
    virtual ~DeviceChangeMonitor() = default;
    virtual int pollFd() const = 0;
    // Takes every waiting event without blocking; true when a HID node may have come, gone or
    // changed its access (events that were lost count as a change).
    virtual bool drainChanges() = 0;
};

// Opens a monitor, or gives null and says why none can be had.
using DeviceChangeMonitorOpener =
    std::function<std::unique_ptr<DeviceChangeMonitor>(std::string& whyNot)>;

enum class DeviceChangeWait { kChanged, kStopped, kFailed };

// Sleeps until the monitor reports a change (its events are drained by then) or the stop token
// asks for a stop. kFailed: the monitor can no longer be waited on.
DeviceChangeWait waitForDeviceChange(DeviceChangeMonitor& monitor, std::stop_token stop);

} // namespace morva::platform
