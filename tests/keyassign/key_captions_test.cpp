#include "keyassign/key_captions.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace morva::keyassign {
namespace {

using profiles::AssignmentCode;
using Source = KeyCaption::Source;

TEST(KeyCaptions, EachKindShowsItsCaption) {
    const std::vector<std::string> macros = {"Build"};
    struct Case {
        AssignmentCode code;
        KeyCaption caption;
    };
    const Case cases[] = {
        {{0x20, 0x00, 0x04}, {Source::LanguageKeys, {"keyboard_key_A"}, {}}},
        {{0x20, 0x10, 0x00}, {Source::LanguageKeys, {"keyboard_key_RCtrl"}, {}}},
        {{0x00, 0x00, 0x00}, {Source::LanguageKeys, {"close_text"}, {}}},
        {{0x20, 0x00, 0x00}, {Source::LanguageKeys, {"close_text"}, {}}},
        {{0x20, 0x01, 0x06}, {Source::LanguageKeys, {"keyboard_key_LCtrl", "keyboard_key_C"}, {}}},
        {{0x20, 0x12, 0x3A},
         {Source::LanguageKeys,
          {"keyboard_key_LShift", "keyboard_key_RCtrl", "keyboard_key_F1"},
          {}}},
        // A usage the catalogue lacks shows its text form, not every key there is.
        {{0x20, 0x00, 0x99}, {Source::Literal, {}, "Usage 0x99"}},
        {{0x10, 0x04, 0x00}, {Source::LanguageKeys, {"mouse_key_middle"}, {}}},
        {{0x11, 0x00, 0x83}, {Source::LanguageKeys, {"mouse_key_right_Swing"}, {}}},
        {{0x11, 0x00, 0x03}, {Source::LanguageKeys, {"mouse_key_left_Swing"}, {}}},
        {{0x12, 0x00, 0xFD}, {Source::LanguageKeys, {"mouse_key_down_Swing"}, {}}},
        {{0x12, 0x00, 0x03}, {Source::LanguageKeys, {"mouse_key_up_Swing"}, {}}},
        {{0x13, 0x03, 0x00}, {Source::LanguageKeys, {"mouse_key_DPI_loop"}, {}}},
        {{0x14, 0x10, 0x02}, {Source::LanguageKeys, {"mouse_key_fire_key"}, {}}},
        {{0x16, 0x90, 0x01}, {Source::LanguageKeys, {"mouse_key_sniper"}, {}}},
        {{0x30, 0xE2, 0x00}, {Source::LanguageKeys, {"media_mute"}, {}}},
        {{0x40, 0x04, 0x00}, {Source::LanguageKeys, {"system_wake_up"}, {}}},
        {{0x70, 0x00, 0x00}, {Source::Literal, {}, "Build"}},
        {{0x71, 0x00, 0x05}, {Source::Literal, {}, "Build"}},
        {{0x70, 0x01, 0x00}, {Source::Unchanged, {}, {}}},
        {{0xB0, 0x01, 0x00}, {Source::Unchanged, {}, {}}},
        {{0x50, 0x01, 0x00}, {Source::Unchanged, {}, {}}},
        {{0xA0, 0x01, 0x00}, {Source::LanguageKeys, {"keyboard_key_FN"}, {}}},
        {{0xD0, 0xA2, 0x02}, {Source::LanguageKeys, {"keyboard_key_M2"}, {}}},
        {{0x72, 0x00, 0x00}, {Source::LanguageKeys, {"keyset_gun_1_text"}, {}}},
        {{0x72, 0x04, 0x00}, {Source::Literal, {}, "Gun 5"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keyCaption(c.code, macros), c.caption)
            << int(c.code.kind) << " " << int(c.code.first) << " " << int(c.code.second);
    }
}

} // namespace
} // namespace morva::keyassign
