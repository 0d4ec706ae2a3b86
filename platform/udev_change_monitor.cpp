#include "platform/udev_change_monitor.h"

#include <cerrno>
#include <cstring>
#include <libudev.h>
#include <string_view>

namespace morva::platform {
namespace {

namespace fs = std::filesystem;

struct UdevDeleter {
    void operator()(udev* context) const { udev_unref(context); }
    void operator()(udev_monitor* monitor) const { udev_monitor_unref(monitor); }
    void operator()(udev_device* device) const { udev_device_unref(device); }
};
template <typename T> using UdevPtr = std::unique_ptr<T, UdevDeleter>;

// Only a node that comes, goes or is changed can alter what discovery finds; "change" is what
// 'udevadm trigger' sends after new rules gave the user access.
bool isNodeChange(const char* action) {
    if (action == nullptr) {
        return false;
    }
    const std::string_view name(action);
    return name == "add" || name == "remove" || name == "change";
}

class UdevChangeMonitor final : public DeviceChangeMonitor {
public:
    UdevChangeMonitor(UdevPtr<udev> context, UdevPtr<udev_monitor> monitor)
        : context_(std::move(context)), monitor_(std::move(monitor)) {}

    int pollFd() const override { return udev_monitor_get_fd(monitor_.get()); }

    bool drainChanges() override {
        bool changed = false;
        for (;;) {
            errno = 0;
            const UdevPtr<udev_device> device(udev_monitor_receive_device(monitor_.get()));
            if (!device) {
                // ENOBUFS: the socket overflowed and events were lost; look again to be sure.
                return changed || errno == ENOBUFS;
            }
            changed = changed || isNodeChange(udev_device_get_action(device.get()));
        }
    }

private:
    UdevPtr<udev> context_;
    UdevPtr<udev_monitor> monitor_;
};

std::string systemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

std::unique_ptr<DeviceChangeMonitor> openUdevChangeMonitor(std::string& whyNot,
                                                           const fs::path& udevRuntime) {
    std::error_code error;
    const fs::path control = udevRuntime / "control";
    if (!fs::exists(control, error)) {
        whyNot = "no udev daemon runs (" + control.string() + " is missing)";
        return nullptr;
    }
    UdevPtr<udev> context(udev_new());
    if (!context) {
        whyNot = systemError("udev_new failed");
        return nullptr;
    }
    UdevPtr<udev_monitor> monitor(udev_monitor_new_from_netlink(context.get(), "udev"));
    if (!monitor) {
        whyNot = systemError("cannot listen to udev's events");
        return nullptr;
    }
    if (udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor.get()) < 0) {
        whyNot = systemError("cannot receive udev's hidraw events");
        return nullptr;
    }
    return std::make_unique<UdevChangeMonitor>(std::move(context), std::move(monitor));
}

} // namespace morva::platform
