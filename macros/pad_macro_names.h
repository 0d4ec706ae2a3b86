#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morva::macros {

// Mouse pads and headsets keep only macro names, in a file of the macro list's layout that the
// program reads but never makes or writes.
inline constexpr std::string_view kPadMacroListFileName = "tavro_macro.config";

// The "MacroName" of every entry, in order; none when the file is absent or damaged.
std::vector<std::string> readPadMacroNames(const std::filesystem::path& folder);

} // namespace morva::macros
