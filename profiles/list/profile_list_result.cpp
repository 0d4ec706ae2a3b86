#include "profiles/list/profile_list_result.h"

namespace morva::profiles {

const char* describeProfileStatus(ProfileStatus status) {
    switch (status) {
    case ProfileStatus::Ok:
        return "done";
    case ProfileStatus::NoSelection:
        return "no profile is selected";
    case ProfileStatus::IndexOutOfRange:
        return "there is no profile with that number";
    case ProfileStatus::LimitReached:
        return "the device already has the most profiles it can hold";
    case ProfileStatus::LastProfile:
        return "the last profile cannot be deleted";
    case ProfileStatus::EmptyName:
        return "the new name is empty";
    case ProfileStatus::NameInUse:
        return "another profile already has that name";
    case ProfileStatus::ImportUnreadable:
        return "the file cannot be read";
    case ProfileStatus::ImportNotJson:
        return "the file is not a profile file (not JSON)";
    case ProfileStatus::ImportNoName:
        return "the file is not a profile file (it has no \"profilename\")";
    case ProfileStatus::ImportNoIdentifier:
        return "the file is not a profile file (it has no \"profileUUID\")";
    case ProfileStatus::ImportOtherDevice:
        return "the file holds the settings of another kind of device";
    case ProfileStatus::ProfileUnreadable:
        return "the profile file cannot be read";
    case ProfileStatus::WriteFailed:
        return "a file could not be written (is the disk full?)";
    case ProfileStatus::ReadOnly:
        return "a profile file is read-only";
    case ProfileStatus::ProtectedTarget:
        return "nothing is written into the program's own folder";
    case ProfileStatus::Busy:
        return "another program is changing these profiles; try again";
    case ProfileStatus::ProfileGone:
        return "that profile was removed by another program";
    }
    return "unknown result";
}

const char* profileStatusMessageKey(ProfileStatus status) {
    switch (status) {
    case ProfileStatus::NameInUse:
        return "message_text_5";
    case ProfileStatus::ImportUnreadable:
        return "message_text_import_unreadable";
    case ProfileStatus::ImportNotJson:
        return "message_text_import_not_json";
    case ProfileStatus::ImportNoName:
        return "message_text_import_no_name";
    case ProfileStatus::ImportNoIdentifier:
        return "message_text_import_no_uuid";
    case ProfileStatus::ImportOtherDevice:
        return "message_text_import_other_device";
    case ProfileStatus::ProfileUnreadable:
        return "message_text_profile_unreadable";
    case ProfileStatus::WriteFailed:
        return "message_text_profile_write_failed";
    case ProfileStatus::ReadOnly:
        return "message_text_profile_read_only";
    case ProfileStatus::ProtectedTarget:
        return "message_text_profile_protected";
    case ProfileStatus::Busy:
        return "message_text_profile_busy";
    case ProfileStatus::ProfileGone:
        return "message_text_profile_gone";
    default:
        // The panel's own limits (no selection, the add limit, the last profile, an empty name)
        // leave the panel as it is without a word.
        return "";
    }
}

const char* describeProfileNotice(ProfileNotice notice) {
    switch (notice) {
    case ProfileNotice::None:
        return "";
    case ProfileNotice::ListRebuilt:
        return "the profile list could not be read, so it was made anew from the profile files; "
               "if it held anything, a copy is kept as ProfileList.ini.bad";
    case ProfileNotice::ProfileRepaired:
        return "the profile file could not be read; it was kept with the ending .bad and the "
               "default settings were used";
    }
    return "";
}

const char* profileNoticeMessageKey(ProfileNotice notice) {
    switch (notice) {
    case ProfileNotice::ListRebuilt:
        return "message_text_profile_list_rebuilt";
    case ProfileNotice::ProfileRepaired:
        return "message_text_profile_repaired";
    default:
        return "";
    }
}

} // namespace morva::profiles
