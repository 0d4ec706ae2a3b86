#include "base/text.h"
#include "keyassign/assignment_lists.h"
#include "keyassign/assignment_text.h"
#include "keyassign/key_catalogue.h"

#include <charconv>
#include <vector>

namespace morva::keyassign {
namespace {

using profiles::AssignmentCode;
namespace kind = profiles::assignment_kind;

constexpr std::string_view kTimes = "\xC3\x97"; // ×

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool startsWithWord(std::string_view text, std::string_view word) {
    return text.size() >= word.size() && equalsIgnoreCase(text.substr(0, word.size()), word) &&
           (text.size() == word.size() || text[word.size()] == ' ');
}

std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> result;
    while (!(text = trimmed(text)).empty()) {
        const size_t end = text.find(' ');
        result.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end);
    }
    return result;
}

// A decimal number within [0, limit]; with `hex`, "0x" numbers are read too.
std::optional<unsigned> number(std::string_view text, unsigned limit, bool hex = false) {
    int base = 10;
    if (hex && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() || value > limit) {
        return std::nullopt;
    }
    return value;
}

// "×3", "x3" or "X3".
std::optional<unsigned> count(std::string_view word, unsigned limit) {
    if (word.starts_with(kTimes)) {
        return number(word.substr(kTimes.size()), limit);
    }
    if (!word.empty() && (word[0] == 'x' || word[0] == 'X')) {
        return number(word.substr(1), limit);
    }
    return std::nullopt;
}

ParsedAssignment failure(std::string message) {
    ParsedAssignment parsed;
    parsed.error = std::move(message);
    return parsed;
}

ParsedAssignment success(AssignmentCode code) {
    ParsedAssignment parsed;
    parsed.code = code;
    return parsed;
}

std::optional<uint8_t> modifierBit(std::string_view name) {
    struct Alias {
        std::string_view name;
        uint8_t bit;
    };
    static constexpr Alias kAliases[] = {
        {"Ctrl", 0x01},  {"LCtrl", 0x01},  {"Control", 0x01}, {"Shift", 0x02}, {"LShift", 0x02},
        {"Alt", 0x04},   {"LAlt", 0x04},   {"Win", 0x08},     {"LWin", 0x08},  {"Super", 0x08},
        {"RCtrl", 0x10}, {"RShift", 0x20}, {"RAlt", 0x40},    {"RWin", 0x80},
    };
    for (const Alias& alias : kAliases) {
        if (equalsIgnoreCase(alias.name, trimmed(name))) {
            return alias.bit;
        }
    }
    return std::nullopt;
}

std::optional<uint8_t> keyUsage(std::string_view name) {
    name = trimmed(name);
    for (size_t i = kFirstNonModifierEntry; i < keyCatalogue().size(); ++i) {
        const KeyCatalogueEntry& entry = keyCatalogue()[i];
        if (entry.code.kind == kind::kKeyboardKey && entry.code.first == 0 &&
            equalsIgnoreCase(entry.name, name)) {
            return entry.code.second;
        }
    }
    if (startsWithWord(name, "Usage")) {
        const auto usage = number(trimmed(name.substr(5)), 0xFF, true);
        return usage ? std::optional<uint8_t>(static_cast<uint8_t>(*usage)) : std::nullopt;
    }
    return std::nullopt;
}

// "Ctrl+Shift+A", "RAlt+F4", "Ctrl+Shift".
ParsedAssignment parseKeyboardKey(std::string_view text) {
    uint8_t modifiers = 0;
    std::string_view rest = text;
    for (size_t plus; (plus = rest.find('+')) != std::string_view::npos && plus > 0;) {
        const auto bit = modifierBit(rest.substr(0, plus));
        if (!bit) {
            break;
        }
        modifiers |= *bit;
        rest = rest.substr(plus + 1);
    }
    if (const auto bit = modifierBit(rest)) {
        return success(AssignmentCode::keyboardKey(modifiers | *bit, 0));
    }
    if (const auto usage = keyUsage(rest)) {
        return success(AssignmentCode::keyboardKey(modifiers, *usage));
    }
    return failure("no key is named \"" + std::string(trimmed(rest)) + "\"");
}

// "Swing right ×3 delay 2 speed 5", "Wheel down ×3", "Rapid fire ×5 interval 20".
ParsedAssignment parsePace(const std::vector<std::string_view>& parts, bool wheel) {
    const std::string_view what = wheel ? "wheel" : "swing";
    if (parts.size() < 3) {
        return failure("a " + std::string(what) + " needs a direction and a count, as in \"" +
                       (wheel ? "Wheel down ×3" : "Swing right ×3") + "\"");
    }
    const std::string_view positive = wheel ? "up" : "left";
    const std::string_view negative = wheel ? "down" : "right";
    if (!equalsIgnoreCase(parts[1], positive) && !equalsIgnoreCase(parts[1], negative)) {
        return failure("the " + std::string(what) + " direction is " + std::string(positive) +
                       " or " + std::string(negative));
    }
    const int direction = equalsIgnoreCase(parts[1], negative) ? 1 : 0;
    const auto times = count(parts[2], 127);
    if (!times) {
        return failure("the " + std::string(what) + " count is ×0 to ×127");
    }
    unsigned delay = 0;
    unsigned speed = 0;
    for (size_t i = 3; i < parts.size(); i += 2) {
        const bool isDelay = equalsIgnoreCase(parts[i], "delay");
        if ((!isDelay && !equalsIgnoreCase(parts[i], "speed")) || i + 1 >= parts.size()) {
            return failure("after the count come \"delay N\" and \"speed N\"");
        }
        const auto value = number(parts[i + 1], 15);
        if (!value) {
            return failure("delay and speed are 0 to 15");
        }
        (isDelay ? delay : speed) = *value;
    }
    const int times32 = static_cast<int>(*times);
    return success(wheel ? AssignmentCode::wheel(direction, times32, static_cast<int>(delay),
                                                 static_cast<int>(speed))
                         : AssignmentCode::swing(direction, times32, static_cast<int>(delay),
                                                 static_cast<int>(speed)));
}

ParsedAssignment parseRapidFire(const std::vector<std::string_view>& parts) {
    // "Rapid fire ×5 interval 20"
    const auto times = parts.size() == 5 ? count(parts[2], 255) : std::nullopt;
    const auto interval = parts.size() == 5 && equalsIgnoreCase(parts[3], "interval")
                              ? number(parts[4], 255)
                              : std::nullopt;
    if (!times || !interval) {
        return failure("rapid fire reads \"Rapid fire ×<count> interval <ms>\", each 0 to 255");
    }
    return success(
        AssignmentCode::rapidFire(static_cast<int>(*interval), static_cast<int>(*times)));
}

ParsedAssignment parseMacro(std::string_view text, std::span<const std::string> macroNames) {
    std::string_view rest = trimmed(text.substr(5)); // after "Macro"
    std::optional<size_t> macro;
    if (rest.starts_with('#')) {
        const size_t end = std::min(rest.find(' '), rest.size());
        const auto value = number(rest.substr(1, end - 1), 255);
        if (!value) {
            return failure("a macro number is #0 to #255");
        }
        macro = *value;
        rest = trimmed(rest.substr(end));
    } else if (rest.starts_with('"')) {
        const size_t close = rest.find('"', 1);
        if (close == std::string_view::npos) {
            return failure("the macro name has no closing quote");
        }
        const std::string_view name = rest.substr(1, close - 1);
        for (size_t i = 0; i < macroNames.size() && i < 256; ++i) {
            if (equalsIgnoreCase(macroNames[i], name)) {
                macro = i;
                break;
            }
        }
        if (!macro) {
            return failure("the device has no macro named \"" + std::string(name) + "\"");
        }
        rest = trimmed(rest.substr(close + 1));
    } else {
        return failure("a macro is named in quotes or by number, as in Macro \"name\" or Macro #0");
    }
    const auto number8 = static_cast<uint8_t>(*macro);
    if (rest.empty()) {
        return success(AssignmentCode::macro(number8, 0));
    }
    if (const auto times = count(rest, 255)) {
        return success(AssignmentCode::macroRepeated(number8, static_cast<int>(*times)));
    }
    static constexpr std::string_view kPlayback[] = {"while held", "until pressed again",
                                                     "until any key"};
    for (uint8_t choice = 0; choice < 3; ++choice) {
        if (equalsIgnoreCase(rest, kPlayback[choice])) {
            return success(AssignmentCode::macro(number8, static_cast<uint8_t>(choice + 1)));
        }
    }
    return failure("after the macro come nothing, ×<count>, \"while held\", \"until pressed "
                   "again\" or \"until any key\"");
}

std::optional<AssignmentCode> namedChoice(std::string_view text) {
    for (const auto list :
         {mouseButtonList(), dpiFunctionList(), mediaKeyList(), systemKeyList()}) {
        if (const auto index = findChoiceByName(list, text)) {
            return list[*index].code;
        }
    }
    if (const auto entry = findKeyByName(text)) {
        return keyCatalogue()[*entry].code;
    }
    return std::nullopt;
}

} // namespace

ParsedAssignment parseAssignment(std::string_view input, std::span<const std::string> macroNames) {
    const std::string_view text = trimmed(input);
    if (text.empty()) {
        return failure("the assignment is empty");
    }
    if (equalsIgnoreCase(text, "Default")) {
        ParsedAssignment parsed;
        parsed.factoryDefault = true;
        return parsed;
    }
    if (equalsIgnoreCase(text, "None")) {
        return success(AssignmentCode::keyboardKey(0, 0));
    }
    const std::vector<std::string_view> parts = words(text);
    if (equalsIgnoreCase(parts[0], "Code")) {
        const auto value = parts.size() == 2 ? number(parts[1], 0xFFFFFF, true) : std::nullopt;
        if (!value) {
            return failure("a raw code reads \"Code 0xKKFFSS\"");
        }
        return success(profiles::decodeAssignmentCode(static_cast<int32_t>(*value)));
    }
    if (equalsIgnoreCase(parts[0], "Consumer")) {
        const auto usage = parts.size() == 2 ? number(parts[1], 0xFFFF, true) : std::nullopt;
        if (!usage) {
            return failure("a Consumer-page usage reads \"Consumer 0xNNNN\"");
        }
        return success(AssignmentCode::mediaKey(static_cast<uint16_t>(*usage)));
    }
    if (equalsIgnoreCase(parts[0], "Macro")) {
        return parseMacro(text, macroNames);
    }
    if (equalsIgnoreCase(parts[0], "Gun")) {
        const auto pattern = parts.size() == 2 ? number(parts[1], 256) : std::nullopt;
        if (!pattern || *pattern == 0) {
            return failure("a gun pattern reads \"Gun N\", N from 1");
        }
        return success(AssignmentCode::gun(static_cast<uint8_t>(*pattern - 1)));
    }
    if (equalsIgnoreCase(parts[0], "Swing") || equalsIgnoreCase(parts[0], "Wheel")) {
        return parsePace(parts, equalsIgnoreCase(parts[0], "Wheel"));
    }
    if (parts.size() >= 2 && equalsIgnoreCase(parts[0], "Rapid") &&
        equalsIgnoreCase(parts[1], "fire")) {
        return parseRapidFire(parts);
    }
    if (const auto code = namedChoice(text)) {
        return success(*code);
    }
    return parseKeyboardKey(text);
}

} // namespace morva::keyassign
