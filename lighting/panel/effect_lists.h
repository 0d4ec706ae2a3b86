#pragma once

#include "lighting/panel/light_panel_binding.h"

#include <filesystem>
#include <string>
#include <vector>

namespace morva::lighting {

// The effect lists of one model from "default_light.json": its effects, its side-light effects
// (keyboards) and the names of its light areas. Lists the file lacks stay empty.
struct EffectLists {
    std::vector<EffectName> effects;
    std::vector<EffectName> sideEffects;
    std::vector<std::string> areas;
};
EffectLists readEffectLists(const std::filesystem::path& defaultLightFile, int modelIndex);

// The names of the user's effects of one model from its light configuration file.
std::vector<std::string> readUserEffectNames(const std::filesystem::path& lightConfigFile,
                                             int modelIndex);

} // namespace morva::lighting
