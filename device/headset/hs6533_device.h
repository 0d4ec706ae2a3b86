#pragma once

#include "device/profiled_device.h"
#include "profiles/hs6533_profiledata.h"

namespace morva::device {

// The device object of an HS6533-kind headset (its HID side; the audio side comes with the audio
// library).
class CKestraneHS6533Device : public HostLitDevice<profiles::CHs6533Profiledata> {
public:
    static constexpr std::string_view kClassName = "KestraneHS6533Device";
    static constexpr std::string_view kFactoryName = "CKestraneHS6533Device";

    CKestraneHS6533Device();
    ~CKestraneHS6533Device() override;

    std::string_view className() const override { return kClassName; }
};

} // namespace morva::device
