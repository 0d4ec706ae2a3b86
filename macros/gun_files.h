#pragma once

#include <array>
#include <filesystem>
#include <json/value.h>

// The four gun files of a mouse, "ShootData_" + gun + ".Shoot" in its user data folder; the same
// names in the default data folder hold the factory patterns. Failed copies are not reported: the
// next read of the file shows what it holds.
namespace morva::macros {

std::filesystem::path gunFilePath(const std::filesystem::path& folder, int gun);

// The gun's document; null when the file is missing or no JSON.
Json::Value readGunDocument(const std::filesystem::path& folder, int gun);
// The documents of guns 0 to 3, in gun order.
std::array<Json::Value, 4> readGunDocuments(const std::filesystem::path& folder);

// Puts the text of `from` unchanged in place of `to`; false when either side failed.
bool copyFileText(const std::filesystem::path& from, const std::filesystem::path& to);

// The factory pattern of the gun replaces the user's file; false (the file unchanged) when the
// factory file cannot be read or the user's cannot be written.
bool restoreGunFile(const std::filesystem::path& dataFolder,
                    const std::filesystem::path& defaultFolder, int gun);

// Every gun whose file is missing or unreadable gets its factory pattern back; when the factory
// file cannot be read either, the user's file is made empty (a gun without bullets).
void restoreMissingGunFiles(const std::filesystem::path& dataFolder,
                            const std::filesystem::path& defaultFolder);

} // namespace morva::macros
