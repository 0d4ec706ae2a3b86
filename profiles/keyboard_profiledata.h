#pragma once

#include "profiles/basic_profiledata.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace morva::profiles {

// The profile object of a keyboard: adds the system settings ("SystemStages") and the custom
// per-key light groups ("CustomLightMode").
class CKeyboardProfiledata : public CBasicProfiledata {
public:
    // All zero when "SystemStages" is absent.
    KeyboardSystemRecord ReadKeyboardSystem();
    // Sets the six members of "SystemStages" one by one; its other members stay.
    void WriteKeyboardSystem(const KeyboardSystemRecord& record);
    void WriteKeyboardSystem(uint32_t word0, uint32_t word1, uint32_t word2);

    // The count colours of custom group g. A group or position that the document lacks reads as
    // a zero colour and is written into the document as one (so the next Save stores it);
    // writing past the end of an array fills the gap with nulls.
    std::vector<RgbaColor> ReadCustomLightColors(Json::ArrayIndex group, size_t count);
    // Sets "Red", "Green", "Blue" and "Alpha" of every position of the list in group g.
    void WriteCustomLightColors(const std::vector<RgbaColor>& colors, Json::ArrayIndex group);
    // "CustomLightMode"."CustomLightModeGroupIndex", 0 when absent.
    int32_t ReadCustomLightGroup();
    void WriteCustomLightGroup(int32_t group);

private:
    KeyboardSystemRecord system_;
    std::vector<RgbaColor> customColors_;
    int32_t customGroup_ = 0;
};

} // namespace morva::profiles
