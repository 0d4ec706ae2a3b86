#include "macros/new_macro.h"

#include "macros/macro_file.h"
#include "macros/macro_identifier.h"

#include <system_error>

namespace morva::macros {
namespace {

AddedMacro refused(MacroListStatus status) {
    AddedMacro added;
    added.change.status = status;
    return added;
}

} // namespace

AddedMacro addMacro(const std::filesystem::path& folder, std::string_view name,
                    const std::vector<MacroEvent>& events, const profiles::LocalTimeSource& time) {
    const MacroList list = readMacroList(folder);
    if (list.size() >= kMaxMacros) {
        return refused(MacroListStatus::Full);
    }
    if (name.empty()) {
        return refused(MacroListStatus::EmptyName);
    }
    if (nameTaken(list, name)) {
        return refused(MacroListStatus::NameTaken);
    }
    const CreatedMacroFile file = createMacroFile(folder, list, name, events, time);
    if (!file.ok()) {
        AddedMacro added = refused(MacroListStatus::NotWritten);
        added.fileWrite = file.write;
        return added;
    }
    AddedMacro added;
    added.change = appendMacroEntry(folder, name, file.identifier);
    if (!added.ok()) {
        std::error_code ignored;
        std::filesystem::remove(macroFilePath(folder, file.identifier), ignored);
        return added;
    }
    added.identifier = file.identifier;
    return added;
}

} // namespace morva::macros
