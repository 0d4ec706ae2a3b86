#include "macros/macro_list.h"

#include "base/json_access.h"
#include "base/json_file.h"
#include "base/text.h"

#include <algorithm>

namespace morva::macros {

std::filesystem::path macroListPath(const std::filesystem::path& folder) {
    return folder / kMacroListFileName;
}

MacroList entriesFromJson(const Json::Value& document) {
    const Json::Value& array = json::member(document, "MacroInfo");
    MacroList list;
    if (!array.isArray()) {
        return list;
    }
    list.reserve(array.size());
    for (const Json::Value& element : array) {
        list.push_back({json::toString(json::member(element, "MacroName")),
                        json::toString(json::member(element, "Guid"))});
    }
    return list;
}

MacroList readMacroList(const std::filesystem::path& folder) {
    return entriesFromJson(readjsonFile(macroListPath(folder)));
}

std::vector<std::string> macroNames(MacroList list) {
    std::vector<std::string> names;
    names.reserve(list.size());
    for (MacroListEntry& entry : list) {
        names.push_back(std::move(entry.name));
    }
    return names;
}

std::vector<std::string> readMacroNames(const std::filesystem::path& folder) {
    return macroNames(readMacroList(folder));
}

bool nameTaken(const MacroList& list, std::string_view name) {
    return std::any_of(list.begin(), list.end(), [&](const MacroListEntry& entry) {
        return equalsIgnoreCase(entry.name, name);
    });
}

int findMacroByIdentifier(const MacroList& list, std::string_view identifier) {
    const auto found = std::find_if(list.begin(), list.end(), [&](const MacroListEntry& entry) {
        return entry.identifier == identifier;
    });
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

} // namespace morva::macros
