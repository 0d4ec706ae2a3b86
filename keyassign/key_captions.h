#pragma once

#include "profiles/assignment_code.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morva::keyassign {

// What a key button of a device page shows for its current code.
struct KeyCaption {
    enum class Source {
        LanguageKeys, // the translated texts of `keys`, joined with "+"
        Literal,      // `literal` as it stands (a macro's name, or the text form)
        Unchanged,    // the button keeps the caption it has
    };
    Source source = Source::Unchanged;
    std::vector<std::string_view> keys;
    std::string literal;

    bool operator==(const KeyCaption&) const = default;
};

// The caption of a key whose current code is `code`; macroNames are the device's macros, empty
// for a device without them.
KeyCaption keyCaption(const profiles::AssignmentCode& code,
                      std::span<const std::string> macroNames);

} // namespace morva::keyassign
