#pragma once

#include "device/mirrored_settings_device.h"
#include "profiles/hs6533_profiledata.h"

namespace morva::device {

// The device object of an HS6533-kind headset. Its vendor side keeps the pad's settings block and
// takes its lighting as twelve output reports per frame.
class CKestraneHS6533Device : public MirroredSettingsDevice<profiles::CHs6533Profiledata> {
public:
    static constexpr std::string_view kClassName = "KestraneHS6533Device";
    static constexpr std::string_view kFactoryName = "CKestraneHS6533Device";

    CKestraneHS6533Device();
    ~CKestraneHS6533Device() override;

    std::string_view className() const override { return kClassName; }

    // The LEDs as lighting reports; a report that fails is not sent again.
    void LightingRefresh() override;
};

} // namespace morva::device
