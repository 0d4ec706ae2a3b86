#pragma once

#include "base/clock.h"
#include "base/worker.h"
#include "lighting/shared_effect.h"
#include "ui/toolkit/geometry.h"

#include <condition_variable>
#include <mutex>
#include <vector>

namespace morva::device {
class CKestraneUSBDevice;
}

namespace morva::app {

// The devices of each kind, as the device manager keeps them.
struct DeviceLists {
    const std::vector<device::CKestraneUSBDevice*>& keyboards;
    const std::vector<device::CKestraneUSBDevice*>& mice;
    const std::vector<device::CKestraneUSBDevice*>& mousePads;
    const std::vector<device::CKestraneUSBDevice*>& headsets;
};

// Synchronised lighting: Same mode makes the current device's effect the shared effect of every
// connected device, and one thread paints every LED of the synchronised devices from it. A device
// leaves the synchronisation when its own lighting is edited; while in it, its own engine rests.
class SynchronisedLighting {
public:
    SynchronisedLighting() : worker_("lighting synchronisation") {}
    ~SynchronisedLighting() { stop(); }

    // The thread; the devices must outlive it.
    bool start(DeviceLists devices, Clock& clock);
    bool stop(TickMs timeoutMs = 1000);
    bool running() const { return worker_.running(); }

    // Same mode from `current`: false, with nothing changed, when its effect has no shared kind.
    bool applySameMode(device::CKestraneUSBDevice& current, DeviceLists devices, ui::Size screen);
    lighting::SharedEffect sharedEffect() const;

    // Ends the thread's rest while no synchronised device is open: a device may have joined the
    // synchronisation, or come back while in it.
    void wake();

private:
    void run(std::stop_token stop, DeviceLists devices, Clock& clock);
    // Rests until woken or stopped, so that an idle program is not woken for nothing.
    void rest(std::stop_token stop);

    std::mutex wakeLock_;
    std::condition_variable_any wakeCondition_;
    bool woken_ = false;
    mutable std::mutex lock_;
    lighting::SharedEffectStepper stepper_;
    Worker worker_;
};

} // namespace morva::app
