#pragma once

#include "ui/toolkit/notification_router.h"

#include <functional>
#include <string_view>

namespace morva::device {
class CKestraneUSBDevice;
class CKestraneHS6533Device;
} // namespace morva::device

namespace morva::app {

// The headset's audio panels on the main window's router: equaliser presets, bands and custom
// curves, microphone and monitor switches and levels, the voice changer and its effects, the
// virtual surround switch. Each action goes to the current headset, which writes it through the
// audio library and keeps it in the profile.
class HeadsetAudioRoutes {
public:
    HeadsetAudioRoutes(std::function<device::CKestraneUSBDevice*()> currentDevice,
                       std::function<void(std::string_view textKey)> tell)
        : currentDevice_(std::move(currentDevice)), tell_(std::move(tell)) {}

    void registerOn(ui::NotificationRouter& router);

private:
    // Runs an audio action on the current device when it is a headset, then shows the result.
    void withHeadset(const std::function<void(device::CKestraneHS6533Device&)>& action) const;
    void registerEqualiser(ui::NotificationRouter& router);
    void registerCustomCurves(ui::NotificationRouter& router);
    void registerMicrophone(ui::NotificationRouter& router);
    void registerVoiceChanger(ui::NotificationRouter& router);
    void registerSurround(ui::NotificationRouter& router);

    std::function<device::CKestraneUSBDevice*()> currentDevice_;
    std::function<void(std::string_view textKey)> tell_;
};

} // namespace morva::app
