#pragma once

#include "base/file_io.h"
#include "macros/macro_event.h"
#include "macros/macro_list_edits.h"
#include "profiles/list/timestamp_id.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morva::macros {

struct AddedMacro {
    MacroListChange change; // Ok, or why nothing was added; `number` is the new entry's
    std::string identifier; // empty unless the macro was added
    FileWriteStatus fileWrite = FileWriteStatus::Ok; // when change says NotWritten for the file

    bool ok() const { return change.ok(); }
};

// Adds a macro at the end of the device's list: its file with the events under a new identifier,
// then its entry. A full list, an empty name or one the list has (letter case aside) adds
// nothing; a file whose entry could not be added is taken away again. The caller holds the
// folder's lock when another program may change the list at the same time.
AddedMacro addMacro(const std::filesystem::path& folder, std::string_view name,
                    const std::vector<MacroEvent>& events,
                    const profiles::LocalTimeSource& time = profiles::SystemLocalTime::instance());

} // namespace morva::macros
