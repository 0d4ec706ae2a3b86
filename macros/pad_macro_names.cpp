#include "macros/pad_macro_names.h"

#include "base/json_file.h"
#include "macros/macro_list.h"

namespace morva::macros {

std::vector<std::string> readPadMacroNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (MacroListEntry& entry : entriesFromJson(readjsonFile(folder / kPadMacroListFileName))) {
        names.push_back(std::move(entry.name));
    }
    return names;
}

} // namespace morva::macros
