#include "emulator/emulated_hid_bus.h"

#include "emulator/emulated_hid_channel.h"

#include <charconv>

namespace morva::emulator {
namespace {

constexpr std::string_view kNodePrefix = "emulated/";

bool parseNode(const std::string& node, int& id, int& interfaceNumber) {
    if (!node.starts_with(kNodePrefix)) {
        return false;
    }
    const char* begin = node.data() + kNodePrefix.size();
    const char* end = node.data() + node.size();
    auto [afterId, idError] = std::from_chars(begin, end, id);
    if (idError != std::errc() || afterId == end || *afterId != '/') {
        return false;
    }
    auto [afterNumber, numberError] = std::from_chars(afterId + 1, end, interfaceNumber);
    return numberError == std::errc() && afterNumber == end;
}

} // namespace

std::string EmulatedHidBus::nodeName(DeviceId id, int interfaceNumber) {
    return std::string(kNodePrefix) + std::to_string(id) + "/" + std::to_string(interfaceNumber);
}

SimulatedTime& EmulatedHidBus::useSimulatedTime() {
    std::lock_guard lock(mutex_);
    if (!simulatedTime_) {
        simulatedTime_ = std::make_shared<SimulatedTime>();
    }
    return *simulatedTime_;
}

EmulatedHidBus::DeviceId EmulatedHidBus::plug(std::shared_ptr<EmulatedHidDevice> device) {
    std::lock_guard lock(mutex_);
    const DeviceId id = nextId_++;
    if (simulatedTime_) {
        device->setSimulatedTime(simulatedTime_);
    }
    devices_[id] = std::move(device);
    announcer_.announce();
    return id;
}

bool EmulatedHidBus::unplug(DeviceId id) {
    std::shared_ptr<EmulatedHidDevice> device;
    {
        std::lock_guard lock(mutex_);
        const auto it = devices_.find(id);
        if (it == devices_.end()) {
            return false;
        }
        device = std::move(it->second);
        devices_.erase(it);
    }
    device->disconnectAll();
    announcer_.announce();
    return true;
}

std::shared_ptr<EmulatedHidDevice> EmulatedHidBus::device(DeviceId id) const {
    std::lock_guard lock(mutex_);
    const auto it = devices_.find(id);
    return it == devices_.end() ? nullptr : it->second;
}

size_t EmulatedHidBus::deviceCount() const {
    std::lock_guard lock(mutex_);
    return devices_.size();
}

std::vector<EmulatedHidBus::DeviceId> EmulatedHidBus::deviceIds() const {
    std::lock_guard lock(mutex_);
    std::vector<DeviceId> ids;
    ids.reserve(devices_.size());
    for (const auto& [id, device] : devices_) {
        ids.push_back(id);
    }
    return ids;
}

void EmulatedHidBus::setEnumerationFails(bool fails) {
    std::lock_guard lock(mutex_);
    enumerationFails_ = fails;
}

platform::HidNodeInfo EmulatedHidBus::infoOf(DeviceId id, const EmulatedHidDevice& device,
                                             const EmulatedHidDevice::Interface& interface) {
    platform::HidNodeInfo info;
    info.node = nodeName(id, interface.number);
    info.instance = "emulated-device-" + std::to_string(id);
    info.vendorId = device.vendorId();
    info.productId = device.productId();
    info.versionNumber = device.versionNumber();
    info.interfaceNumber = interface.number;
    info.reportDescriptor = interface.reportDescriptor;
    return info;
}

bool EmulatedHidBus::enumerate(std::vector<platform::HidNodeInfo>& nodes) {
    nodes.clear();
    std::lock_guard lock(mutex_);
    if (enumerationFails_) {
        return false;
    }
    for (const auto& [id, device] : devices_) {
        for (const auto& interface : device->interfaces()) {
            nodes.push_back(infoOf(id, *device, interface));
        }
    }
    return true;
}

bool EmulatedHidBus::locate(const std::string& node, const std::string& instance,
                            Located& found) const {
    int id = 0;
    int interfaceNumber = 0;
    if (!parseNode(node, id, interfaceNumber)) {
        return false;
    }
    std::lock_guard lock(mutex_);
    const auto it = devices_.find(id);
    if (it == devices_.end()) {
        return false;
    }
    for (const auto& interface : it->second->interfaces()) {
        if (interface.number == interfaceNumber) {
            found = {it->second, &interface, id};
            return instance.empty() || instance == "emulated-device-" + std::to_string(id);
        }
    }
    return false;
}

bool EmulatedHidBus::describe(const std::string& node, const std::string& instance,
                              platform::HidNodeInfo& info) {
    Located found;
    if (!locate(node, instance, found)) {
        return false;
    }
    info = infoOf(found.id, *found.device, *found.interface);
    return true;
}

platform::HidOpenResult EmulatedHidBus::open(const std::string& node, const std::string& instance,
                                             const platform::HidOpenRequest& /*request*/,
                                             std::unique_ptr<platform::HidChannel>& channel) {
    channel.reset();
    Located found;
    if (!locate(node, instance, found)) {
        return platform::HidOpenResult::kNotFound;
    }
    auto opened = std::make_shared<EmulatedHidChannel>(found.device, found.interface->number);
    found.device->attachChannel(opened);
    // The backend hands out unique ownership; the device keeps only a weak reference.
    struct Owner final : platform::HidChannel {
        explicit Owner(std::shared_ptr<EmulatedHidChannel> c) : inner(std::move(c)) {}
        platform::HidIoResult read(std::span<uint8_t> b, int t, size_t& n) override {
            return inner->read(b, t, n);
        }
        platform::HidIoResult write(std::span<const uint8_t> r, int t, size_t& n) override {
            return inner->write(r, t, n);
        }
        bool setOutputReport(std::span<const uint8_t> r) override {
            return inner->setOutputReport(r);
        }
        void cancel() override { inner->cancel(); }
        std::shared_ptr<EmulatedHidChannel> inner;
    };
    channel = std::make_unique<Owner>(std::move(opened));
    // A device pulled out between the lookup and the registration must not leave a live channel.
    if (!locate(node, instance, found)) {
        channel.reset();
        return platform::HidOpenResult::kNotFound;
    }
    return platform::HidOpenResult::kOk;
}

bool EmulatedHidBus::isPresent(const std::string& node, const std::string& instance) {
    Located found;
    return locate(node, instance, found);
}

std::unique_ptr<platform::DeviceChangeMonitor>
EmulatedHidBus::openChangeMonitor(std::string& whyNot) {
    return announcer_.openMonitor(whyNot);
}

} // namespace morva::emulator
