#pragma once

#include "profiles/hs6533_profiledata.h"

#include <optional>

namespace morva::audio {

inline constexpr int kFirstPreset = 1;
inline constexpr int kLastPreset = 12;
inline constexpr int kCustomEqualiser = profiles::CHs6533Profiledata::kCustomEqType;
inline constexpr size_t kMaxCustomCurves = 20;

// The ten band values of preset 1–12; nothing for any other number.
std::optional<profiles::CHs6533Profiledata::BandValues> presetCurve(int preset);

} // namespace morva::audio
