#include "audio/equaliser_presets.h"

#include <array>

namespace morva::audio {
namespace {

using Bands = profiles::CHs6533Profiledata::BandValues;

constexpr std::array<Bands, kLastPreset> kPresets = {{
    {7, 11, 2, -3, -1, 4, 9, 12, 9, 5},
    {7, 11, 6, -3, -11, -1, 6, 13, 6, 13},
    {10, 4, 0, -3, -4, -3, -2, -1, 0, 0},
    {2, 1, -2, -3, -5, -7, 0, 4, 9, 8},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {7, 14, -13, -6, -1, 8, 13, 7, 2, 6},
    {14, 10, 4, 0, -4, -3, -1, 1, 2, 3},
    {2, 1, -2, -3, -5, -1, 7, 11, 15, 13},
    {8, 2, -4, -8, 1, 3, 8, 11, 14, 16},
    {-3, 4, 10, 0, -11, 3, 9, 13, 6, 0},
    {18, 14, 8, 2, -3, -6, -1, 2, 5, 6},
    {2, 1, -2, -4, -8, 4, 12, 16, 18, 15},
}};

} // namespace

std::optional<Bands> presetCurve(int preset) {
    if (preset < kFirstPreset || preset > kLastPreset) {
        return std::nullopt;
    }
    return kPresets[static_cast<size_t>(preset - kFirstPreset)];
}

} // namespace morva::audio
