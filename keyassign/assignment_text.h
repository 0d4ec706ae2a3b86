#pragma once

#include "profiles/assignment_code.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace morva::keyassign {

// The readable form of an assignment code, for the command line and the traces:
//   "Ctrl+C", "RAlt+F4", "LShift", "None", "Mouse 4", "DPI+", "Swing right ×3 delay 2 speed 5",
//   "Wheel down ×3 delay 0 speed 1", "Rapid fire ×5 interval 20", "Play/Pause", "Sleep",
//   "Macro \"name\"", "Macro \"name\" while held", "Macro \"name\" ×3", "Macro #4", "Gun 2",
//   "Fn", "M1", "Default" (kind 0) and "Code 0xKKFFSS" for a code of no known form.
// Macro names come from the device's macro list; a number beyond it reads as "Macro #n".
std::string describeAssignment(const profiles::AssignmentCode& code,
                               std::span<const std::string> macroNames = {});

// What a text in that form stands for: a code, or the key's factory function ("Default").
struct ParsedAssignment {
    std::optional<profiles::AssignmentCode> code;
    bool factoryDefault = false;
    std::string error; // set when the text is not an assignment
};

// Reads the form describeAssignment writes; names compare without regard to case, "x" may
// stand for "×", and a macro is found by its name or by "#" and its number.
ParsedAssignment parseAssignment(std::string_view text,
                                 std::span<const std::string> macroNames = {});

} // namespace morva::keyassign
