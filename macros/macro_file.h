#pragma once

#include "base/file_io.h"
#include "macros/macro_event.h"

#include <filesystem>
#include <string_view>
#include <vector>

// One macro per file, "<identifier>.mac" in the device's user data folder.
namespace morva::macros {

inline constexpr std::string_view kMacroFileExtension = ".mac";

// Identifiers come from the user's list file: one that is empty or would reach another folder
// names no file.
bool isUsableIdentifier(std::string_view identifier);
// folder/"<identifier>.mac"; empty for an unusable identifier.
std::filesystem::path macroFilePath(const std::filesystem::path& folder,
                                    std::string_view identifier);

// The macro's events; a missing, damaged or eventless file gives none.
std::vector<MacroEvent> readMacro(const std::filesystem::path& folder, std::string_view identifier);

// Replaces the macro's file with the document of the name and the events; Failed for an unusable
// identifier.
FileWriteStatus writeMacro(const std::filesystem::path& folder, std::string_view identifier,
                           std::string_view name, const std::vector<MacroEvent>& events);

} // namespace morva::macros
