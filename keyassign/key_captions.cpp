#include "keyassign/key_captions.h"

#include "keyassign/assignment_lists.h"
#include "keyassign/assignment_text.h"
#include "keyassign/key_catalogue.h"

#include <array>

namespace morva::keyassign {
namespace {

using profiles::AssignmentCode;
namespace kind = profiles::assignment_kind;
using Source = KeyCaption::Source;

// The gun patterns a mouse holds, by the names the key panel's gun list gives them.
constexpr std::array<std::string_view, 4> kGunCaptions = {"keyset_gun_1_text", "keyset_gun_2_text",
                                                          "keyset_gun_3_text", "keyset_gun_4_text"};

KeyCaption fromKeys(std::vector<std::string_view> keys) {
    return KeyCaption{Source::LanguageKeys, std::move(keys), {}};
}

KeyCaption literal(std::string text) {
    return KeyCaption{Source::Literal, {}, std::move(text)};
}

KeyCaption fromList(std::span<const AssignmentChoice> list, const AssignmentCode& code) {
    if (const auto index = findChoice(list, code)) {
        return fromKeys({list[*index].captionKey});
    }
    return literal(describeAssignment(code));
}

// A keyboard key: the catalogue entry with its two bytes, else one caption per modifier bit
// and one for the key, so a combination reads "Ctrl+C". A usage the catalogue lacks shows its
// text form rather than nothing.
KeyCaption keyboardCaption(const AssignmentCode& code) {
    for (const KeyCatalogueEntry& entry : keyCatalogue()) {
        if (entry.code.first == code.first && entry.code.second == code.second) {
            return fromKeys({entry.captionKey});
        }
    }
    if (code.first == 0 && code.second == 0) {
        return fromKeys({"close_text"});
    }
    std::vector<std::string_view> keys;
    for (size_t i = 0; i < kFirstNonModifierEntry; ++i) {
        if ((code.first & keyCatalogue()[i].code.first) != 0) {
            keys.push_back(keyCatalogue()[i].captionKey);
        }
    }
    if (code.second != 0) {
        const auto key = findKeyByUsage(code.second, kFirstNonModifierEntry);
        if (!key) {
            return literal(
                describeAssignment(AssignmentCode::keyboardKey(code.first, code.second)));
        }
        keys.push_back(keyCatalogue()[*key].captionKey);
    }
    return fromKeys(std::move(keys));
}

} // namespace

KeyCaption keyCaption(const AssignmentCode& code, std::span<const std::string> macroNames) {
    switch (code.kind) {
    case 0:
    case kind::kKeyboardKey:
        return keyboardCaption(code);
    case kind::kMouseButton:
        return fromList(mouseButtonList(), code);
    case kind::kSwing:
        return fromKeys({code.direction() == 1 ? "mouse_key_right_Swing" : "mouse_key_left_Swing"});
    case kind::kWheel:
        return fromKeys({code.direction() == 1 ? "mouse_key_down_Swing" : "mouse_key_up_Swing"});
    case kind::kDpiStep:
        return fromList(dpiFunctionList(), code);
    case kind::kRapidFire:
        return fromKeys({"mouse_key_fire_key"});
    case kind::kSniper:
        return fromKeys({"mouse_key_sniper"});
    case kind::kMediaKey:
        return fromList(mediaKeyList(), code);
    case kind::kSystemKey:
        return fromList(systemKeyList(), code);
    case kind::kGun:
        if (code.first < kGunCaptions.size()) {
            return fromKeys({kGunCaptions[code.first]});
        }
        break;
    case kind::kMacro:
    case kind::kMacroRepeat:
        if (code.first < macroNames.size()) {
            return literal(macroNames[code.first]);
        }
        return {};
    case 0x15:
    case 0x21:
    case 0x50:
    case 0x60:
    case kind::kShortcutGroup:
    case 0xC0:
        return {};
    default:
        break;
    }
    for (const KeyCatalogueEntry& entry : keyCatalogue()) {
        if (entry.code == code) {
            return fromKeys({entry.captionKey});
        }
    }
    return literal(describeAssignment(code, macroNames));
}

} // namespace morva::keyassign
