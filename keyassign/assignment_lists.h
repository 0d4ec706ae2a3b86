#pragma once

#include "profiles/assignment_code.h"

#include <optional>
#include <span>
#include <string_view>

namespace morva::keyassign {

// One choice of a list in the key-assignment panel: the caption of the list item (a language
// key), the short English name of the text form, and the code the choice stores unchanged.
struct AssignmentChoice {
    std::string_view captionKey;
    std::string_view name;
    profiles::AssignmentCode code;
};

// The lists in their list-index order, which is the order of the items in the skin.
std::span<const AssignmentChoice> mouseButtonList(); // kind 0x10
std::span<const AssignmentChoice> dpiFunctionList(); // kind 0x13
std::span<const AssignmentChoice> mediaKeyList();    // kind 0x30
std::span<const AssignmentChoice> systemKeyList();   // kind 0x40
std::span<const AssignmentChoice> shortcutList();    // kind 0x20 with Ctrl

// The index of the choice whose three bytes equal the code's.
std::optional<size_t> findChoice(std::span<const AssignmentChoice> list,
                                 const profiles::AssignmentCode& code);
// The index of the choice whose name is `name`, compared without regard to case.
std::optional<size_t> findChoiceByName(std::span<const AssignmentChoice> list,
                                       std::string_view name);

} // namespace morva::keyassign
