#include "keyassign/assignment_text.h"

#include "base/text.h"
#include "keyassign/assignment_lists.h"
#include "keyassign/key_catalogue.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <vector>

namespace morva::keyassign {
namespace {

using profiles::AssignmentCode;
namespace kind = profiles::assignment_kind;

constexpr std::string_view kTimes = "\xC3\x97"; // ×

struct ModifierName {
    uint8_t bit;
    std::string_view name;
};
// The first name of each bit is the one written; the others are read as well.
constexpr std::array<ModifierName, 14> kModifierNames = {{
    {0x01, "Ctrl"},
    {0x02, "Shift"},
    {0x04, "Alt"},
    {0x08, "Win"},
    {0x10, "RCtrl"},
    {0x20, "RShift"},
    {0x40, "RAlt"},
    {0x80, "RWin"},
    {0x01, "LCtrl"},
    {0x02, "LShift"},
    {0x04, "LAlt"},
    {0x08, "LWin"},
    {0x01, "Control"},
    {0x08, "Super"},
}};

constexpr std::array<std::string_view, 4> kPlaybackSuffixes = {
    "", " while held", " until pressed again", " until any key"};

std::string hexByte(unsigned value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%0*X", digits, value);
    return buffer;
}

std::optional<std::string_view> choiceName(std::span<const AssignmentChoice> list,
                                           const AssignmentCode& code) {
    if (const auto index = findChoice(list, code)) {
        return list[*index].name;
    }
    return std::nullopt;
}

std::optional<std::string_view> catalogueName(const AssignmentCode& code) {
    for (const KeyCatalogueEntry& entry : keyCatalogue()) {
        if (entry.code == code) {
            return entry.name;
        }
    }
    return std::nullopt;
}

std::string modifierNames(uint8_t bits) {
    std::string text;
    for (size_t i = 0; i < 8; ++i) {
        if ((bits & kModifierNames[i].bit) != 0) {
            text += text.empty() ? "" : "+";
            text += kModifierNames[i].name;
        }
    }
    return text;
}

std::string describeKeyboardKey(const AssignmentCode& code) {
    if (code.first == 0 && code.second == 0) {
        return "None";
    }
    if (code.second == 0) {
        const auto single = findModifierByBit(code.first);
        return single ? std::string(keyCatalogue()[*single].name) : modifierNames(code.first);
    }
    const auto key = findKeyByUsage(code.second, kFirstNonModifierEntry);
    std::string text = modifierNames(code.first);
    text += text.empty() ? "" : "+";
    text += key ? std::string(keyCatalogue()[*key].name) : "Usage " + hexByte(code.second, 2);
    return text;
}

std::string describePace(std::string_view word, std::string_view direction, int count,
                         const AssignmentCode& code) {
    return std::string(word) + " " + std::string(direction) + " " + std::string(kTimes) +
           std::to_string(count) + " delay " + std::to_string(code.delay()) + " speed " +
           std::to_string(code.speed());
}

std::string describeMacro(const AssignmentCode& code, std::span<const std::string> macroNames) {
    std::string text = code.first < macroNames.size() ? "Macro \"" + macroNames[code.first] + "\""
                                                      : "Macro #" + std::to_string(code.first);
    if (code.kind == kind::kMacroRepeat) {
        return text + " " + std::string(kTimes) + std::to_string(code.second);
    }
    if (code.second < kPlaybackSuffixes.size()) {
        return text + std::string(kPlaybackSuffixes[code.second]);
    }
    return text + " choice " + std::to_string(code.second);
}

std::string rawCode(const AssignmentCode& code) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "Code 0x%02X%02X%02X", code.kind, code.first, code.second);
    return buffer;
}

} // namespace

std::string describeAssignment(const AssignmentCode& code,
                               std::span<const std::string> macroNames) {
    std::optional<std::string_view> named;
    switch (code.kind) {
    case 0:
        return "Default";
    case kind::kKeyboardKey:
        return describeKeyboardKey(code);
    case kind::kMouseButton:
        named = choiceName(mouseButtonList(), code);
        break;
    case kind::kSwing:
        return describePace("Swing", code.direction() == 1 ? "right" : "left", code.swingCount(),
                            code);
    case kind::kWheel:
        return describePace("Wheel", code.direction() == 1 ? "down" : "up", code.wheelCount(),
                            code);
    case kind::kDpiStep:
        named = choiceName(dpiFunctionList(), code);
        break;
    case kind::kRapidFire:
        return "Rapid fire " + std::string(kTimes) + std::to_string(code.second) + " interval " +
               std::to_string(code.first);
    case kind::kMediaKey:
        named = choiceName(mediaKeyList(), code);
        if (!named) {
            named = catalogueName(code);
        }
        if (!named) {
            return "Consumer " + hexByte(code.consumerUsage(), 4);
        }
        break;
    case kind::kSystemKey:
        named = choiceName(systemKeyList(), code);
        break;
    case kind::kMacro:
    case kind::kMacroRepeat:
        return describeMacro(code, macroNames);
    case kind::kGun:
        if (code.second == 0) {
            return "Gun " + std::to_string(code.first + 1);
        }
        break;
    default:
        named = catalogueName(code);
        break;
    }
    return named ? std::string(*named) : rawCode(code);
}

} // namespace morva::keyassign
