#pragma once

#include "device/profiled_device.h"
#include "profiles/basic_profiledata.h"

namespace morva::device {

// The device object of a lit mouse pad.
class CKestraneMousePadDevice : public HostLitDevice<profiles::CBasicProfiledata> {
public:
    static constexpr std::string_view kClassName = "KestraneMousePadDevice";
    static constexpr std::string_view kFactoryName = "CKestraneMousePadDevice";

    CKestraneMousePadDevice();
    ~CKestraneMousePadDevice() override;

    std::string_view className() const override { return kClassName; }

    void LightingRefresh() override { SendLiveFrame(); }
};

} // namespace morva::device
