#pragma once

#include "device/mirrored_settings_device.h"
#include "profiles/basic_profiledata.h"

namespace morva::device {

// The device object of a lit mouse pad: its short settings block, its power status and the
// lighting the host streams to it as live frames.
class CKestraneMousePadDevice : public MirroredSettingsDevice<profiles::CBasicProfiledata> {
public:
    static constexpr std::string_view kClassName = "KestraneMousePadDevice";
    static constexpr std::string_view kFactoryName = "CKestraneMousePadDevice";

    CKestraneMousePadDevice();
    ~CKestraneMousePadDevice() override;

    std::string_view className() const override { return kClassName; }

    void LightingRefresh() override { SendLiveFrame(); }
};

} // namespace morva::device
