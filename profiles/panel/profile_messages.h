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
