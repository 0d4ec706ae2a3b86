#pragma once

#include "platform/hid_backend.h"

#include <filesystem>

namespace morva::platform {

// HID nodes of Linux: /sys/class/hidraw/* for the list and the facts, /dev/hidrawN for I/O, udev's
// events for their coming and going. The roots and the monitor are injectable so tests can run
// against a fake sysfs tree and fake events; without an opener the monitor is udev's.
class LinuxHidBackend final : public HidBackend {
public:
    explicit LinuxHidBackend(std::filesystem::path sysfsRoot = "/sys",
                             std::filesystem::path devRoot = "/dev",
                             DeviceChangeMonitorOpener openMonitor = {});

    bool enumerate(std::vector<HidNodeInfo>& nodes) override;
    bool describe(const std::string& node, const std::string& instance, HidNodeInfo& info) override;
    HidOpenResult open(const std::string& node, const std::string& instance,
                       const HidOpenRequest& request,
                       std::unique_ptr<HidChannel>& channel) override;
    bool isPresent(const std::string& node, const std::string& instance) override;
    std::unique_ptr<DeviceChangeMonitor> openChangeMonitor(std::string& whyNot) override;

private:
    bool readNode(const std::string& name, HidNodeInfo& info) const;
    std::filesystem::path classDir() const;
    // "hidraw3" from "/dev/hidraw3" when the node lies in our device folder; empty otherwise.
    std::string nameOfNode(const std::string& node) const;
    std::string instanceOf(const std::string& name) const;

    std::filesystem::path sysfsRoot_;
    std::filesystem::path devRoot_;
    DeviceChangeMonitorOpener openMonitor_;
};

} // namespace morva::platform
