#pragma once

#include "profiles/profile_records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morva::lighting {

// One entry of an effect list: the language key of its name and whether the list shows it.
struct EffectName {
    std::string name;
    bool visible = true;
};

// What a device page asks of its lighting panel. The device knows the panel only through this.
class LightPanelBinding {
public:
    virtual ~LightPanelBinding() = default;

    virtual void SetDeviceType(uint16_t deviceType) = 0;
    // Fills the effect list; the sliders go from 0 to the maxima.
    virtual void SetModeList(const std::vector<EffectName>& effects, int brightnessMax,
                             int speedMax) = 0;
    virtual void SetSideModeList(const std::vector<EffectName>& effects) = 0;
    // Shows the light settings, the layout of their effect included.
    virtual void ShowLightSettings(const profiles::PackedLightInfo& packed) = 0;
    // Whether more than one device is connected, which the Same mode button needs.
    virtual void SetSyncAvailable(bool available) = 0;
    // The entry chosen in the custom group list, -1 for none.
    virtual int GetCustomGroup() const = 0;
    virtual void SelectCustomGroup(int index) = 0;
};

} // namespace morva::lighting
