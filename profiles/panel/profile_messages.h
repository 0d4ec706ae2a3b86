#pragma once

#include "profiles/list/profile_list_result.h"

#include <optional>
#include <string>
#include <string_view>

// The messages the profile panel shows, as language keys.
namespace morva::profiles {

inline constexpr char kRenameFailedMessageKey[] = "message_text_5";
inline constexpr char kMacroWriteFailedMessageKey[] = "message_text_7";
inline constexpr char kMacroOverflowMessageKey[] = "message_text_16";
inline constexpr char kConfirmResetMessageKey[] = "message_text_22";
inline constexpr char kConfirmDeleteMessageKey[] = "profile_delete_confirm_text";
inline constexpr char kEmptyNameMessageKey[] = "profile_name_empty_text";
// The notices of finished operations; the profile's name or the file follows the text.
inline constexpr char kProfileAddedKey[] = "profile_added_text";
inline constexpr char kProfileDeletedKey[] = "profile_deleted_text";
inline constexpr char kProfileCopiedKey[] = "profile_copied_text";
inline constexpr char kProfileImportedKey[] = "profile_imported_text";
inline constexpr char kProfileExportedKey[] = "profile_exported_text";
inline constexpr char kProfileRenamedKey[] = "profile_renamed_text";
inline constexpr char kProfileResetKey[] = "profile_reset_text";

// A profile exported under a name without an extension gets ".json", so the import dialog,
// which shows "*.json", finds it again.
std::string exportFileName(std::string_view chosen);

// What a macro write result tells the user: nothing (0), "message_text_7" (-1), or
// "message_text_16" with the number of events that did not fit.
struct MacroWriteMessage {
    std::string textKey;
    std::optional<int> count;
};
std::optional<MacroWriteMessage> macroWriteMessage(int writeMacrosResult);

// The language text used as a format for one number: the first "%d" (or "%i", "%u") becomes the
// number and "%%" a percent sign; every other character, any other "%" sequence included, is
// copied as it is. Language files are data, so they never reach printf.
std::string formatCountText(std::string_view format, int count);

} // namespace morva::profiles
