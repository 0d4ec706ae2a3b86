#pragma once

#include <filesystem>
#include <string_view>

// Where the running program is and where the files it ships lie: beside the executable in the
// build tree, under <prefix>/share/morva once installed.
namespace morva {

// The file whose presence marks a folder of shipped files: every program reads it first.
inline constexpr std::string_view kShippedFilesMarker = "device_models.json";

// The folder of the running executable; empty when the system does not say.
std::filesystem::path executableFolder();

// The shipped files' folder for an executable in `executableFolder`: the executable's own folder
// when it holds them (the build tree), else "../share/morva" beside it when that holds them (an
// installation under any prefix), else the executable's folder, whose reads then fail saying
// which file is missing.
std::filesystem::path shippedFilesFolderFor(const std::filesystem::path& executableFolder);

// shippedFilesFolderFor(executableFolder()), found once; the current folder when the system does
// not say where the executable is.
std::filesystem::path shippedFilesFolder();

} // namespace morva
