#pragma once

#include <ctime>
#include <filesystem>
#include <string>

// "updatetime.config": when the updates were last checked.
//
//   { "updatelasttime": { "value": "<year>-<month>-<day>" } }     (no leading zeros)
namespace morva::update {

inline constexpr std::string_view kCheckDateFileName = "updatetime.config";

// "2026-12-1" for the first of December 2026, in local time.
std::string checkDateText(std::time_t when);

// The stored date; when there is none, `today` is stored and returned.
std::string readCheckDate(const std::filesystem::path& file, const std::string& today);
// Stores `date`, keeping the file's other members.
bool writeCheckDate(const std::filesystem::path& file, const std::string& date);

} // namespace morva::update
