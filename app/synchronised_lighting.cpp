#include "app/synchronised_lighting.h"

#include "device/usb_device.h"
#include "lighting/pass_timing.h"

namespace morva::app {
namespace {

using Devices = std::vector<device::CKestraneUSBDevice*>;

bool synchronised(device::CKestraneUSBDevice& device) {
    return device.commandChannel().isSynchronised();
}

bool anySynchronisedAndOpen(DeviceLists devices) {
    for (const Devices* list :
         {&devices.mice, &devices.keyboards, &devices.mousePads, &devices.headsets}) {
        for (device::CKestraneUSBDevice* device : *list) {
            if (device->commandChannel().isOpen() && synchronised(*device)) {
                return true;
            }
        }
    }
    return false;
}

// Every LED of every synchronised device in one colour.
void paint(DeviceLists devices, lighting::LedColour colour) {
    const uint32_t word = lighting::colourWord(colour);
    for (const Devices* list :
         {&devices.mice, &devices.mousePads, &devices.headsets, &devices.keyboards}) {
        for (device::CKestraneUSBDevice* device : *list) {
            if (synchronised(*device)) {
                for (int led = 0; led < device->ledCount(); ++led) {
                    device->SetLedColour(led, word);
                }
            }
        }
    }
}

} // namespace

bool SynchronisedLighting::start(DeviceLists devices, Clock& clock) {
    return worker_.start(
        [this, devices, &clock](std::stop_token stop) { run(stop, devices, clock); });
}

bool SynchronisedLighting::stop(TickMs timeoutMs) {
    return !worker_.running() || worker_.stop(timeoutMs);
}

lighting::SharedEffect SynchronisedLighting::sharedEffect() const {
    const std::lock_guard guard(lock_);
    return stepper_.effect();
}

void SynchronisedLighting::run(std::stop_token stop, DeviceLists devices, Clock& clock) {
    while (!stop.stop_requested()) {
        if (!anySynchronisedAndOpen(devices)) {
            rest(stop);
            continue;
        }
        uint32_t due = 1;
        {
            const std::lock_guard guard(lock_);
            if (stepper_.pass(clock.nowMs())) {
                paint(devices, stepper_.colour());
            }
            due = stepper_.passesUntilStep();
            stepper_.skipPasses(due - 1);
        }
        clock.sleepFor(TickMs{due} * lighting::kPassMs, stop);
    }
}

void SynchronisedLighting::rest(std::stop_token stop) {
    std::unique_lock guard(wakeLock_);
    wakeCondition_.wait(guard, stop, [this] { return woken_; });
    woken_ = false;
}

void SynchronisedLighting::wake() {
    {
        const std::lock_guard guard(wakeLock_);
        woken_ = true;
    }
    wakeCondition_.notify_all();
}

bool SynchronisedLighting::applySameMode(device::CKestraneUSBDevice& current, DeviceLists devices,
                                         ui::Size screen) {
    // A wireless mouse shares its effects as a mouse does.
    const uint16_t currentType = current.deviceType() == hid::kDeviceWirelessMouse
                                     ? uint16_t{hid::kDeviceMouse}
                                     : current.deviceType();
    const profiles::LightInfoRecord source = current.lightSettings();
    const std::optional<lighting::SharedEffectType> type =
        lighting::sharedTypeOf(currentType, source.mode);
    if (!type) {
        return false;
    }
    const lighting::SharedEffect shared = lighting::sharedEffectOf(*type, source);
    {
        const std::lock_guard guard(lock_);
        stepper_.setEffect(shared);
    }
    const std::pair<const Devices*, uint16_t> lists[] = {{&devices.keyboards, hid::kDeviceKeyboard},
                                                         {&devices.mice, hid::kDeviceMouse},
                                                         {&devices.mousePads, hid::kDeviceMousePad},
                                                         {&devices.headsets, hid::kDeviceHeadset}};
    for (const auto& [list, listType] : lists) {
        const std::optional<uint8_t> effect = lighting::effectOfSharedType(listType, *type);
        for (device::CKestraneUSBDevice* device : *list) {
            if (!effect || !device->commandChannel().isOpen()) {
                continue;
            }
            device->commandChannel().setSynchronised(true);
            profiles::LightInfoRecord light = device->lightSettings();
            lighting::applySharedEffect(shared, *effect, light);
            if (lighting::LightPanelBinding* panel = device->lightPanelBinding()) {
                panel->ShowLightSettings(profiles::packLightInfo(light));
            }
            device->ApplyLightSettings(light,
                                       {.screenWidth = screen.cx, .screenHeight = screen.cy});
        }
    }
    wake();
    return true;
}

} // namespace morva::app
