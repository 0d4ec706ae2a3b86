#include "macros/pad_macro_names.h"

#include "base/json_file.h"
#include "macros/macro_list.h"

namespace morva::macros {

std::vector<std::string> readPadMacroNames(const std::filesystem::path& folder) {
    return macroNames(entriesFromJson(readjsonFile(folder / kPadMacroListFileName)));
}

} // namespace morva::macros
