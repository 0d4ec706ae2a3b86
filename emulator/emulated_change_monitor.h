#pragma once

#include "platform/device_change_monitor.h"
#include "platform/wake_fd.h"

#include <memory>
#include <mutex>
#include <vector>

namespace morva::emulator {

// How the emulated bus announces its plugs: every monitor it handed out has its descriptor
// signalled when a device is plugged in or pulled out, as udev's is for a hidraw node.
class EmulatedChangeAnnouncer {
public:
    std::unique_ptr<platform::DeviceChangeMonitor> openMonitor(std::string& whyNot);
    // Wakes every monitor that is still open.
    void announce();

private:
    std::mutex mutex_;
    std::vector<std::weak_ptr<const platform::WakeFd>> listeners_;
};

} // namespace morva::emulator
