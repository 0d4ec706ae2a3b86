#include "macros/macro_file.h"

#include "base/json_file.h"
#include "macros/macro_document.h"

#include <string>

namespace morva::macros {

bool isUsableIdentifier(std::string_view identifier) {
    return !identifier.empty() &&
           identifier.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

std::filesystem::path macroFilePath(const std::filesystem::path& folder,
                                    std::string_view identifier) {
    if (!isUsableIdentifier(identifier)) {
        return {};
    }
    return folder / (std::string(identifier) + std::string(kMacroFileExtension));
}

std::vector<MacroEvent> readMacro(const std::filesystem::path& folder,
                                  std::string_view identifier) {
    if (!isUsableIdentifier(identifier)) {
        return {};
    }
    return eventsFromJson(readjsonFile(macroFilePath(folder, identifier)));
}

FileWriteStatus writeMacro(const std::filesystem::path& folder, std::string_view identifier,
                           std::string_view name, const std::vector<MacroEvent>& events) {
    if (!isUsableIdentifier(identifier)) {
        return FileWriteStatus::Failed;
    }
    return writeJsonDocument(macroFilePath(folder, identifier),
                             macroToJson(name, identifier, events));
}

} // namespace morva::macros
