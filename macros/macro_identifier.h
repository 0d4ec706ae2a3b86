#pragma once

#include "base/file_io.h"
#include "macros/macro_event.h"
#include "macros/macro_list.h"
#include "profiles/list/timestamp_id.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morva::macros {

struct CreatedMacroFile {
    std::string identifier; // empty unless the file was made
    FileWriteStatus write = FileWriteStatus::Failed;

    bool ok() const { return write == FileWriteStatus::Ok; }
};

// Gives a new macro its identifier, the local time to the millisecond, and makes its file with
// the name and the events. Two macros made within one millisecond, here or by another program,
// must never share a file: an identifier the list holds, or whose file exists, moves on by a
// millisecond, and making the file is what claims it.
CreatedMacroFile
createMacroFile(const std::filesystem::path& folder, const MacroList& list, std::string_view name,
                const std::vector<MacroEvent>& events,
                const profiles::LocalTimeSource& time = profiles::SystemLocalTime::instance());

} // namespace morva::macros
