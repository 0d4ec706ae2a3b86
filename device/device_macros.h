#pragma once

#include "device/macro_image.h"

#include <filesystem>

namespace morva::device {

// The macro image of a device's macros: one record per entry of its macro list, in list order,
// each with the events of its macro file. No list (or an empty one) gives an image without
// records.
MacroImage readDeviceMacroImage(const std::filesystem::path& userDataFolder);

} // namespace morva::device
