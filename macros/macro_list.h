#pragma once

#include <cstddef>
#include <filesystem>
#include <json/value.h>
#include <string>
#include <string_view>
#include <vector>

// The macro list of a device, "macro.config" in its user data folder:
//   { "MacroInfo": [ { "MacroName": "macro_1", "Guid": "<identifier>" }, ... ] }
// An entry's position is its macro number, which key assignments store and in whose order the
// macros are written to the device.
namespace morva::macros {

inline constexpr std::string_view kMacroListFileName = "macro.config";
// The most macros a list holds.
inline constexpr size_t kMaxMacros = 50;

struct MacroListEntry {
    std::string name;
    std::string identifier;

    bool operator==(const MacroListEntry&) const = default;
};
using MacroList = std::vector<MacroListEntry>;

std::filesystem::path macroListPath(const std::filesystem::path& folder);

// The entries of a list document, one per element of "MacroInfo" so that positions stay macro
// numbers (an element that is no object is an entry without name and identifier). Anything that
// is not such a document is an empty list.
MacroList entriesFromJson(const Json::Value& document);

// The device's list; a missing, damaged or unreadable file is an empty list.
MacroList readMacroList(const std::filesystem::path& folder);

// The names of the entries, in list order.
std::vector<std::string> macroNames(MacroList list);
// The names of the device's macros, in list order.
std::vector<std::string> readMacroNames(const std::filesystem::path& folder);

// Whether an entry has the name, letter case aside (in any script).
bool nameTaken(const MacroList& list, std::string_view name);
// The position of the entry of that identifier, or -1.
int findMacroByIdentifier(const MacroList& list, std::string_view identifier);

} // namespace morva::macros
