#pragma once

#include <string>
#include <string_view>
#include <vector>

// How new profile names are found. Names are compared ignoring case, as the profile combo does.
namespace morva::profiles {

bool isProfileNameInUse(std::string_view name, const std::vector<std::string>& names);

// "profile1", "profile2", ...: the first that no entry uses.
std::string newProfileName(const std::vector<std::string>& names);

// "<source> copy", then "<source> copy copy", ... until no entry uses it.
std::string copiedProfileName(std::string_view source, const std::vector<std::string>& names);

// The imported name itself, then "<name>(1)", "<name>(2)", ... until no entry uses it.
std::string importedProfileName(std::string_view name, const std::vector<std::string>& names);

} // namespace morva::profiles
