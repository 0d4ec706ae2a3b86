#pragma once

#include "base/file_io.h"
#include "macros/macro_list.h"

#include <filesystem>
#include <string_view>

// Changes to a device's macro list. Each reads the whole file, changes its document and writes it
// whole, keeping whatever else the document holds. None takes a lock: a caller that must not
// interleave with another program holds the device folder's lock around it.
namespace morva::macros {

enum class MacroListStatus {
    Ok,
    Full,      // the list already holds kMaxMacros macros
    NameTaken, // another entry (or this one, in other letter case) has the name
    EmptyName,
    NoSuchMacro, // the number is not in the list; nothing was written
    Unreadable,  // the list file is there but cannot be read (not a regular file, too large)
    NotWritten,  // the write was refused; see `write`
};

struct MacroListChange {
    MacroListStatus status = MacroListStatus::Ok;
    FileWriteStatus write = FileWriteStatus::Ok;
    int number = -1;         // the entry added, renamed or removed
    bool keptBroken = false; // a damaged list file was kept as "macro.config.bad" and replaced

    bool ok() const { return status == MacroListStatus::Ok; }
};

// Adds an entry at the end, creating the file (and "MacroInfo") with the first. Refuses a 51st
// macro and a name already in the list.
MacroListChange appendMacroEntry(const std::filesystem::path& folder, std::string_view name,
                                 std::string_view identifier);
// Gives an entry another name; the macro file keeps the old one until its next save.
MacroListChange renameMacroEntry(const std::filesystem::path& folder, int number,
                                 std::string_view name);
// Removes an entry; the later ones move up by one, so their numbers fall by one. The macro file
// stays: deleting a macro is more than this.
MacroListChange removeMacroEntry(const std::filesystem::path& folder, int number);

// "the list holds 50 macros already", for messages.
std::string describeMacroListChange(const MacroListChange& change);

} // namespace morva::macros
