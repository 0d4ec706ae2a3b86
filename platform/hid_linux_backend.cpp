#include "platform/hid_linux_backend.h"

#include "platform/hid_fd_channel.h"
#include "platform/hid_sysfs.h"
#include "platform/udev_change_monitor.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace morva::platform {

namespace fs = std::filesystem;

LinuxHidBackend::LinuxHidBackend(fs::path sysfsRoot, fs::path devRoot,
                                 DeviceChangeMonitorOpener openMonitor)
    : sysfsRoot_(std::move(sysfsRoot)), devRoot_(std::move(devRoot)),
      openMonitor_(std::move(openMonitor)) {}

fs::path LinuxHidBackend::classDir() const {
    return sysfsRoot_ / "class" / "hidraw";
}

std::string LinuxHidBackend::nameOfNode(const std::string& node) const {
    const fs::path path(node);
    if (path.parent_path() != devRoot_) {
        return {};
    }
    const std::string name = path.filename().string();
    return name.starts_with("hidraw") ? name : std::string();
}

std::string LinuxHidBackend::instanceOf(const std::string& name) const {
    std::error_code error;
    const fs::path device = fs::canonical(classDir() / name / "device", error);
    return error ? std::string() : device.filename().string();
}

bool LinuxHidBackend::readNode(const std::string& name, HidNodeInfo& info) const {
    std::error_code error;
    const fs::path device = fs::canonical(classDir() / name / "device", error);
    if (error) {
        return false;
    }
    SysfsHidIds ids;
    if (!readSysfsHidIds(device / "uevent", ids) ||
        !readSysfsReportDescriptor(device / "report_descriptor", info.reportDescriptor)) {
        return false;
    }
    info.node = (devRoot_ / name).string();
    info.instance = device.filename().string();
    info.vendorId = ids.vendorId;
    info.productId = ids.productId;
    info.interfaceNumber = -1;
    info.versionNumber = 0;
    if (ids.bus == kSysfsBusUsb) {
        // The HID device sits below its USB interface, which sits below the USB device.
        const fs::path usbInterface = device.parent_path();
        info.interfaceNumber = readSysfsHex(usbInterface / "bInterfaceNumber").value_or(-1);
        info.versionNumber = static_cast<uint16_t>(
            readSysfsHex(usbInterface.parent_path() / "bcdDevice").value_or(0));
    }
    return true;
}

bool LinuxHidBackend::enumerate(std::vector<HidNodeInfo>& nodes) {
    nodes.clear();
    std::error_code error;
    if (!fs::exists(classDir(), error)) {
        return !error; // no hidraw class at all: no HID nodes, which is not a failure
    }
    std::vector<std::string> names;
    for (fs::directory_iterator it(classDir(), error), end; !error && it != end;
         it.increment(error)) {
        names.push_back(it->path().filename().string());
    }
    if (error) {
        return false;
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b; // hidraw2 before hidraw10
    });
    for (const std::string& name : names) {
        HidNodeInfo info;
        // A node that vanishes or cannot be read while we look is simply not listed.
        if (readNode(name, info)) {
            nodes.push_back(std::move(info));
        }
    }
    return true;
}

bool LinuxHidBackend::describe(const std::string& node, const std::string& instance,
                               HidNodeInfo& info) {
    const std::string name = nameOfNode(node);
    return !name.empty() && readNode(name, info) && (instance.empty() || info.instance == instance);
}

bool LinuxHidBackend::isPresent(const std::string& node, const std::string& instance) {
    const std::string name = nameOfNode(node);
    if (name.empty()) {
        return false;
    }
    const std::string current = instanceOf(name);
    return !current.empty() && (instance.empty() || current == instance);
}

std::unique_ptr<DeviceChangeMonitor> LinuxHidBackend::openChangeMonitor(std::string& whyNot) {
    return openMonitor_ ? openMonitor_(whyNot) : openUdevChangeMonitor(whyNot);
}

HidOpenResult LinuxHidBackend::open(const std::string& node, const std::string& instance,
                                    const HidOpenRequest& request,
                                    std::unique_ptr<HidChannel>& channel) {
    channel.reset();
    if (!isPresent(node, instance)) {
        return HidOpenResult::kNotFound;
    }
    int flags = O_CLOEXEC | O_NONBLOCK;
    flags |= request.write ? (request.read ? O_RDWR : O_WRONLY) : O_RDONLY;
    const int fd = ::open(node.c_str(), flags);
    if (fd < 0) {
        switch (errno) {
        case EACCES:
        case EPERM:
            return HidOpenResult::kAccessDenied;
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return HidOpenResult::kNotFound;
        case EBUSY:
            return HidOpenResult::kBusy;
        default:
            return HidOpenResult::kFailed;
        }
    }
    auto opened = std::make_unique<FdHidChannel>(fd);
    if (!opened->valid()) {
        return HidOpenResult::kFailed;
    }
    // The node may have been given to another device between the check and the open.
    if (!isPresent(node, instance)) {
        return HidOpenResult::kNotFound;
    }
    channel = std::move(opened);
    return HidOpenResult::kOk;
}

} // namespace morva::platform
