#include "macros/macro_event.h"

#include <limits>

namespace morva::macros {

uint32_t decimalValue(std::string_view text) {
    constexpr uint64_t kLargest = std::numeric_limits<uint32_t>::max();
    uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > kLargest) {
            return static_cast<uint32_t>(kLargest);
        }
    }
    return static_cast<uint32_t>(value);
}

uint32_t MacroEvent::delayMs() const {
    return decimalValue(delay);
}

MacroEvent makeMacroEvent(int type, int button, bool press, uint32_t delayMs) {
    return MacroEvent{type, button, std::string(press ? kActionDown : kActionUp),
                      std::to_string(delayMs)};
}

} // namespace morva::macros
