#pragma once

#include "emulator/emulated_change_monitor.h"
#include "emulator/emulated_hid_device.h"
#include "emulator/simulated_time.h"
#include "platform/hid_backend.h"

#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace morva::emulator {

// An in-process HID bus: emulated devices are plugged in and pulled out at run time, and the
// HID code sees them exactly as it sees hidraw nodes (one node per device interface), plugs
// announced on its change monitors as udev announces hidraw nodes.
class EmulatedHidBus final : public platform::HidBackend {
public:
    using DeviceId = int;

    // Plugs a device in; returns its id on this bus. Its interfaces are listed from now on.
    DeviceId plug(std::shared_ptr<EmulatedHidDevice> device);
    // Pulls a device out: it is no longer listed, open channels fail from now on. False when no
    // such device is plugged in.
    bool unplug(DeviceId id);
    std::shared_ptr<EmulatedHidDevice> device(DeviceId id) const;
    size_t deviceCount() const;
    // The ids of the plugged devices, in the order they were plugged in.
    std::vector<DeviceId> deviceIds() const;
    // From now on devices plugged in answer on simulated time: reads with a time-out never wait
    // (see EmulatedHidChannel), and device latency moves that time instead of the wall clock.
    // Call before plugging the devices in. Returns the bus's time.
    SimulatedTime& useSimulatedTime();
    // Makes the next enumerations fail (a platform fault), or succeed again.
    void setEnumerationFails(bool fails);

    // The node name of one interface of a plugged device ("emulated/<id>/<interface>").
    static std::string nodeName(DeviceId id, int interfaceNumber);

    bool enumerate(std::vector<platform::HidNodeInfo>& nodes) override;
    bool describe(const std::string& node, const std::string& instance,
                  platform::HidNodeInfo& info) override;
    platform::HidOpenResult open(const std::string& node, const std::string& instance,
                                 const platform::HidOpenRequest& request,
                                 std::unique_ptr<platform::HidChannel>& channel) override;
    bool isPresent(const std::string& node, const std::string& instance) override;
    std::unique_ptr<platform::DeviceChangeMonitor> openChangeMonitor(std::string& whyNot) override;

private:
    struct Located {
        std::shared_ptr<EmulatedHidDevice> device;
        const EmulatedHidDevice::Interface* interface = nullptr;
        DeviceId id = 0;
    };
    bool locate(const std::string& node, const std::string& instance, Located& found) const;
    static platform::HidNodeInfo infoOf(DeviceId id, const EmulatedHidDevice& device,
                                        const EmulatedHidDevice::Interface& interface);

    mutable std::mutex mutex_;
    std::map<DeviceId, std::shared_ptr<EmulatedHidDevice>> devices_;
    DeviceId nextId_ = 1;
    bool enumerationFails_ = false;
    EmulatedChangeAnnouncer announcer_;
    std::shared_ptr<SimulatedTime> simulatedTime_;
};

} // namespace morva::emulator
