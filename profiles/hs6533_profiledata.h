#pragma once

#include "profiles/basic_profiledata.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace morva::profiles {

// The profile object of a headset: adds the audio settings ("SystemSetStages"), the band values
// of the preset equalisers ("EQHzValueInfo") and the named custom equalisers
// ("CustomEQNameInfo", "CustomEQHzValueInfo").
class CHs6533Profiledata : public CBasicProfiledata {
public:
    static constexpr size_t kBandCount = 10;
    // The equaliser type that stands for the custom equaliser chosen by "CustomEqSeletIndex".
    static constexpr int32_t kCustomEqType = 13;
    using BandValues = std::array<int32_t, kBandCount>;

    // All zero when the entry is null or "SystemSetStages" is absent.
    HeadsetSystemRecord ReadHeadsetSystem();
    // Sets the eight members of "SystemSetStages" one by one.
    void WriteHeadsetSystem(const HeadsetSystemRecord& record);

    // The ten band values of an equaliser type: types 1..12 read their own row, 0 and every
    // other type but 13 read row 1, and 13 (custom) returns an empty list. A row the document
    // lacks reads as zeros and is written into the document as such.
    std::vector<int32_t> ReadEqValues(int32_t eqType);
    // Stores the values in the row of the type; type 13 writes nothing.
    void WriteEqValues(int32_t eqType, const BandValues& values);
    // The same on "CustomEQHzValueInfo" row index.
    std::vector<int32_t> ReadCustomEqValues(Json::ArrayIndex index);
    void WriteCustomEqValues(Json::ArrayIndex index, const BandValues& values);
    // Removes that row, so the rows after it move up; a row the document lacks changes nothing.
    void RemoveCustomEqValues(Json::ArrayIndex index);

    // One name per "CustomEQNameInfo" element.
    std::vector<std::wstring> ReadCustomEqNames();
    // Replaces "CustomEQNameInfo" by one {"Name"} object per name, in list order.
    void WriteCustomEqNames(const std::vector<std::wstring>& names);

private:
    HeadsetSystemRecord system_;
};

} // namespace morva::profiles
