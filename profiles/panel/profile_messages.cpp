#include "profiles/panel/profile_messages.h"

#include <filesystem>

namespace morva::profiles {

std::string exportFileName(std::string_view chosen) {
    std::string name(chosen);
    if (!name.empty() && !std::filesystem::path(name).has_extension()) {
        name += ".json";
    }
    return name;
}

std::optional<MacroWriteMessage> macroWriteMessage(int writeMacrosResult) {
    if (writeMacrosResult == 0) {
        return std::nullopt;
    }
    if (writeMacrosResult == -1) {
        return MacroWriteMessage{kMacroWriteFailedMessageKey, std::nullopt};
    }
    return MacroWriteMessage{kMacroOverflowMessageKey, writeMacrosResult};
}

std::string formatCountText(std::string_view format, int count) {
    std::string text;
    text.reserve(format.size() + 8);
    bool numberPlaced = false;
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        const char next = i + 1 < format.size() ? format[i + 1] : '\0';
        if (c == '%' && next == '%') {
            text += '%';
            ++i;
        } else if (c == '%' && !numberPlaced && (next == 'd' || next == 'i' || next == 'u')) {
            text += std::to_string(count);
            numberPlaced = true;
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace morva::profiles
