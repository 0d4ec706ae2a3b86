#pragma once

#include <string>

namespace morva::profiles {

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
    ImportOtherDevice,  // the document holds the settings of another kind of device
    ProfileUnreadable,  // export: the selected profile file cannot be read
    WriteFailed,        // a file could not be written
    ReadOnly,           // a file the operation must change is read-only
    ProtectedTarget,    // the destination lies in the program's own folder
    Busy,               // another program kept the profiles locked
    ProfileGone,        // the chosen profile was removed by another program meanwhile
};

// Something the user should know although the operation went through.
enum class ProfileNotice {
    None,
    // The list file could not be read; the list was made anew from the profile files in the
    // folder, and a list file with content was kept as ".bad".
    ListRebuilt,
    // A profile file could not be read; it was kept as ".bad" and the default settings were used.
    ProfileRepaired,
};

struct ProfileResult {
    ProfileStatus status = ProfileStatus::Ok;
    // The entry the operation made or selected (add, copy, import: the new entry; delete: the
    // selection afterwards); -1 when none.
    int index = -1;
    // The name the entry got (add, copy, import, rename).
    std::string name;
    ProfileNotice notice = ProfileNotice::None;
    // The selection is another profile than before: another program removed the selected one.
    bool selectionMoved = false;

    bool ok() const { return status == ProfileStatus::Ok; }
};

// A short English explanation, for the command line and the trace.
const char* describeProfileStatus(ProfileStatus status);

// The language text key a panel shows for the status; empty for the statuses a panel passes over
// in silence.
const char* profileStatusMessageKey(ProfileStatus status);

const char* describeProfileNotice(ProfileNotice notice);
// The language text key of the notice; empty for None.
const char* profileNoticeMessageKey(ProfileNotice notice);

} // namespace morva::profiles
