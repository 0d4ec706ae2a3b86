#include "platform/device_change_monitor.h"

#include "platform/wake_fd.h"

#include <cerrno>
#include <poll.h>

namespace morva::platform {

DeviceChangeWait waitForDeviceChange(DeviceChangeMonitor& monitor, std::stop_token stop) {
    const WakeFd stopEvent;
    if (!stopEvent.valid()) {
        return DeviceChangeWait::kFailed;
    }
    // Runs at once when the stop was asked for before the wait.
    const std::stop_callback wake(stop, [&stopEvent] { stopEvent.signal(); });
    for (;;) {
        pollfd fds[2] = {{stopEvent.fd(), POLLIN, 0}, {monitor.pollFd(), POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return DeviceChangeWait::kFailed;
        }
        if (fds[0].revents != 0) {
            return DeviceChangeWait::kStopped;
        }
        if ((fds[1].revents & POLLIN) != 0 && monitor.drainChanges()) {
            return DeviceChangeWait::kChanged;
        }
        if ((fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            return DeviceChangeWait::kFailed;
        }
        // Otherwise the events were of no interest: wait on.
    }
}

} // namespace morva::platform
