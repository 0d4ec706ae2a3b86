#include "macros/macro_identifier.h"

#include "base/json_file.h"
#include "macros/macro_document.h"
#include "macros/macro_file.h"

namespace morva::macros {

CreatedMacroFile createMacroFile(const std::filesystem::path& folder, const MacroList& list,
                                 std::string_view name, const std::vector<MacroEvent>& events,
                                 const profiles::LocalTimeSource& time) {
    FileWriteStatus write = FileWriteStatus::Failed;
    const std::string identifier =
        profiles::makeUniqueTimestampId(time, [&](const std::string& candidate) {
            if (findMacroByIdentifier(list, candidate) >= 0) {
                return true;
            }
            write = createJsonDocument(macroFilePath(folder, candidate),
                                       macroToJson(name, candidate, events));
            return write == FileWriteStatus::Exists;
        });
    return {write == FileWriteStatus::Ok ? identifier : std::string(), write};
}

} // namespace morva::macros
