#pragma once

#include <filesystem>
#include <string_view>

// Where the program's shipped data and the user's data live.
//
// Shipped data sits in "DefaultData" in the shipped files' folder and is only ever read. The user's
// data lives in the per-user application folder under $XDG_DATA_HOME, with one folder per device
// model (the device folder name of the device-tab table), so every device of one model shares its
// profiles. Paths are returned without a trailing separator: append file names with operator/.
namespace morva::profiles::folders {

inline constexpr std::string_view kDefaultDataFolderName = "DefaultData";
inline constexpr std::string_view kProfileExtension = ".Json";

// The folder of the shipped files (shippedFilesFolder()), unless a test has set another one.
std::filesystem::path programFolder();
// Replaces the program folder (tests, or a front end that installs its data elsewhere); an empty
// path returns to the shipped files' folder.
void setProgramFolder(const std::filesystem::path& folder);

// programFolder()/"DefaultData".
std::filesystem::path defaultDataFolder();
// defaultDataFolder()/<device folder name>".Json"; empty for an unusable device folder name.
std::filesystem::path defaultProfilePath(std::string_view deviceFolderName);
// True when the path names the default-data folder or something inside it: nothing may be
// written there.
bool isInsideDefaultDataFolder(const std::filesystem::path& path);

// The per-user application folder: $XDG_DATA_HOME (when absolute, else ~/.local/share) +
// "QT4410-VIGOR MORVA", created with its parents when missing. Failures to create it are not
// reported: the file operations that follow fail on their own.
std::filesystem::path applicationFolder();
// applicationFolder()/<device folder name>, created when missing (one level only). Empty when the
// name is empty or is not a plain folder name.
std::filesystem::path deviceDataFolder(std::string_view deviceFolderName);

} // namespace morva::profiles::folders
