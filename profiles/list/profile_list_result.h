#pragma once

#include <string>

namespace morva {

// What a profile operation did, in terms a profile panel can show to the user.
enum class ProfileStatus {
    Ok,
    NoSelection,        // the operation needs a selected profile
    IndexOutOfRange,    // select with an index the list does not have
    LimitReached,       // add with kMaxProfilesForAdd profiles or more
    LastProfile,        // delete with a single profile
    EmptyName,          // rename to an empty name
    NameInUse,          // rename to a name some profile already has (ignoring case)
    ImportUnreadable,   // the chosen file does not exist or cannot be read
    ImportNotJson,      // the chosen file is no JSON document
    ImportNoName,       // the document has no text "profilename"
    ImportNoIdentifier, // the document has no "profileUUID"
    ProfileUnreadable,  // export: the selected profile file cannot be read
    WriteFailed,        // a file could not be written
};

struct ProfileResult {
    ProfileStatus status = ProfileStatus::Ok;
    // The entry the operation made or selected (add, copy, import: the new entry; delete: the
    // selection afterwards); -1 when none.
    int index = -1;
    // The name the entry got (add, copy, import, rename).
    std::string name;

    bool ok() const { return status == ProfileStatus::Ok; }
};

// A short English explanation, for the command line and the trace.
const char* describeProfileStatus(ProfileStatus status);

// The language text key a panel shows for the status; empty for the statuses a panel passes over
// in silence.
const char* profileStatusMessageKey(ProfileStatus status);

} // namespace morva
