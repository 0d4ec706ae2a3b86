#include "keyassign/key_set_logic.h"

#include "keyassign/assignment_lists.h"
#include "keyassign/key_catalogue.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace morva::keyassign {
namespace {

using profiles::AssignmentCode;
namespace kind = profiles::assignment_kind;

int indexIn(std::span<const AssignmentChoice> list, const AssignmentCode& code) {
    const auto index = findChoice(list, code);
    return index ? static_cast<int>(*index) : -1;
}

PaceFields paceOf(const AssignmentCode& code, int count) {
    return PaceFields{code.direction(), std::to_string(count), std::to_string(code.delay()),
                      std::to_string(code.speed())};
}

void showKeyboardKey(const AssignmentCode& shown, AssignmentView& view) {
    view.category = category::kKeyboardKey;
    if (shown.first == 0) {
        if (const auto entry = findKeyByUsage(shown.second)) {
            view.modifier = 0;
            view.keyCaption = std::string(keyCatalogue()[*entry].captionKey);
        } else {
            view.modifier = -1;
            view.keyCaption = "";
            view.heldCurrent = AssignmentCode::keyboardKey(0, 0);
        }
        return;
    }
    const auto modifier = findModifierByBit(shown.first);
    view.modifier = modifier ? modifierOptionOfEntry(*modifier) : 0;
    if (const auto entry = findKeyByUsage(shown.second, kFirstNonModifierEntry)) {
        view.keyCaption = std::string(keyCatalogue()[*entry].captionKey);
    }
}

void showMacro(const AssignmentCode& shown, size_t macroCount, AssignmentView& view) {
    view.category = category::kMacro;
    // A macro number at or past the end of the list names no macro.
    const bool known = shown.first < macroCount;
    if (shown.kind == kind::kMacro) {
        view.macro = known ? shown.first : -1;
        view.macroPlayback = known ? shown.second : -1;
        view.macroCycleVisible = false;
        return;
    }
    view.macro = known ? shown.first : -1;
    view.macroCycleVisible = known;
    if (!known) {
        view.macroPlayback = -1;
    }
    view.macroCycleCount = std::to_string(shown.second);
    if (known) {
        view.macroPlayback = kMacroRepeatChoice;
    }
}

AssignmentCode choiceAt(std::span<const AssignmentChoice> list, int index,
                        const AssignmentCode& held) {
    return index >= 0 && static_cast<size_t>(index) < list.size() ? list[index].code : held;
}

AssignmentCode buildMacro(const AssignmentInputs& inputs, const AssignmentCode& held,
                          size_t macroCount) {
    if (inputs.macro < 0 || static_cast<size_t>(inputs.macro) >= macroCount ||
        inputs.macro > 0xFF) {
        return held;
    }
    const auto number = static_cast<uint8_t>(inputs.macro);
    if (inputs.macroPlayback == kMacroRepeatChoice) {
        return AssignmentCode::macroRepeated(number, fieldNumber(inputs.macroCycleCount));
    }
    // No playback chosen plays the macro once.
    return AssignmentCode::macro(number, static_cast<uint8_t>(std::max(inputs.macroPlayback, 0)));
}

} // namespace

int modifierOptionOfEntry(size_t entry) {
    const auto position = static_cast<int>(entry) + 1;
    return position % 5 + position / 5;
}

uint8_t modifierBitOfOption(int option) {
    return option <= 0 ? 0 : static_cast<uint8_t>(1u << (option - 1));
}

int fieldNumber(std::string_view text) {
    // Like the C library's reading of a number: leading digits count, the rest is ignored.
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return 0;
    }
    text.remove_prefix(start);
    long long value = 0;
    const bool negative = text.starts_with('-');
    const std::string_view digits = text.substr(negative || text.starts_with('+') ? 1 : 0);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (end == digits.data()) {
        return 0;
    }
    if (error == std::errc::result_out_of_range) {
        value = std::numeric_limits<int>::max();
    }
    value = std::min<long long>(value, std::numeric_limits<int>::max());
    return static_cast<int>(negative ? -value : value);
}

AssignmentView showAssignment(const AssignmentCode& shown, const AssignmentCode& factory,
                              size_t macroCount) {
    AssignmentView view;
    if (shown == factory || shown.kind == 0) {
        view.category = category::kFactory;
        return view;
    }
    switch (shown.kind) {
    case kind::kMouseButton:
        view.category = category::kMouseButton;
        view.mouseButton = indexIn(mouseButtonList(), shown);
        break;
    case kind::kSwing:
        view.category = category::kSwing;
        view.swing = paceOf(shown, shown.swingCount());
        break;
    case kind::kWheel:
        view.category = category::kWheel;
        view.wheel = paceOf(shown, shown.wheelCount());
        break;
    case kind::kDpiStep:
        view.category = category::kDpi;
        view.dpiFunction = indexIn(dpiFunctionList(), shown);
        break;
    case kind::kRapidFire:
        view.category = category::kRapidFire;
        view.fireInterval = std::to_string(shown.first);
        view.fireCount = std::to_string(shown.second);
        break;
    case kind::kKeyboardKey:
        if (shown.first > 0x80) {
            view.category = category::kShortcut;
            view.shortcut = indexIn(shortcutList(), shown);
        } else {
            showKeyboardKey(shown, view);
        }
        break;
    case kind::kMediaKey:
        view.category = category::kMedia;
        view.media = indexIn(mediaKeyList(), shown);
        break;
    case kind::kSystemKey:
        view.category = category::kSystem;
        view.system = indexIn(systemKeyList(), shown);
        break;
    case kind::kMacro:
    case kind::kMacroRepeat:
        showMacro(shown, macroCount, view);
        break;
    case kind::kGun:
        view.category = category::kGun;
        view.gun = shown.first;
        break;
    case kind::kShortcutGroup:
        view.category = category::kShortcut;
        view.shortcut = -1;
        break;
    default:
        break;
    }
    return view;
}

AssignmentCode buildAssignment(const AssignmentInputs& inputs,
                               const profiles::KeyAssignmentRecord& held, size_t macroCount) {
    const AssignmentCode& current = held.assignment.code;
    switch (inputs.category) {
    case category::kMouseButton:
        return choiceAt(mouseButtonList(), inputs.mouseButton, current);
    case category::kSwing:
        return AssignmentCode::swing(
            inputs.swing.direction == 1 ? 1 : 0, fieldNumber(inputs.swing.count),
            fieldNumber(inputs.swing.delay), fieldNumber(inputs.swing.speed));
    case category::kWheel:
        return AssignmentCode::wheel(
            inputs.wheel.direction == 1 ? 1 : 0, fieldNumber(inputs.wheel.count),
            fieldNumber(inputs.wheel.delay), fieldNumber(inputs.wheel.speed));
    case category::kDpi:
        return choiceAt(dpiFunctionList(), inputs.dpiFunction, current);
    case category::kRapidFire:
        return AssignmentCode::rapidFire(fieldNumber(inputs.fireInterval),
                                         fieldNumber(inputs.fireCount));
    case category::kKeyboardKey:
        return AssignmentCode::keyboardKey(modifierBitOfOption(inputs.modifier),
                                           inputs.keyTextEmpty ? uint8_t{0} : current.second);
    case category::kMedia:
        return choiceAt(mediaKeyList(), inputs.media, current);
    case category::kSystem:
        return choiceAt(systemKeyList(), inputs.system, current);
    case category::kMacro:
        return buildMacro(inputs, current, macroCount);
    case category::kGun:
        return inputs.gun >= 0 && inputs.gun <= 0xFF
                   ? AssignmentCode::gun(static_cast<uint8_t>(inputs.gun))
                   : current;
    case category::kShortcut:
        return choiceAt(shortcutList(), inputs.shortcut, current);
    default:
        return held.defaultAssignment.code;
    }
}

} // namespace morva::keyassign
