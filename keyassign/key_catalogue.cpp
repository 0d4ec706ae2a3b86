#include "keyassign/key_catalogue.h"

#include "base/text.h"

#include <array>

namespace morva::keyassign {
namespace {

// Caption key, text-form name, virtual-key code, {kind, first, second}. Kind 0x20 is a keyboard
// key (modifier bits, HID usage), 0x30 a Consumer-page usage (low byte, high byte), 0x40 a system
// key, 0xD0 the M keys and 0xA0 Fn and GM.
constexpr std::array<KeyCatalogueEntry, kKeyCatalogueSize> kCatalogue = {{
    {"keyboard_key_LCtrl", "LCtrl", 0xA2, {0x20, 0x01, 0x00}},                          // 0
    {"keyboard_key_LShift", "LShift", 0xA0, {0x20, 0x02, 0x00}},                        // 1
    {"keyboard_key_LAlt", "LAlt", 0xA4, {0x20, 0x04, 0x00}},                            // 2
    {"keyboard_key_LWin", "LWin", 0x5B, {0x20, 0x08, 0x00}},                            // 3
    {"keyboard_key_RCtrl", "RCtrl", 0xA3, {0x20, 0x10, 0x00}},                          // 4
    {"keyboard_key_RShift", "RShift", 0xA1, {0x20, 0x20, 0x00}},                        // 5
    {"keyboard_key_RAlt", "RAlt", 0xA5, {0x20, 0x40, 0x00}},                            // 6
    {"keyboard_key_RWin", "RWin", 0x5C, {0x20, 0x80, 0x00}},                            // 7
    {"keyboard_key_A", "A", 0x41, {0x20, 0x00, 0x04}},                                  // 8
    {"keyboard_key_B", "B", 0x42, {0x20, 0x00, 0x05}},                                  // 9
    {"keyboard_key_C", "C", 0x43, {0x20, 0x00, 0x06}},                                  // 10
    {"keyboard_key_D", "D", 0x44, {0x20, 0x00, 0x07}},                                  // 11
    {"keyboard_key_E", "E", 0x45, {0x20, 0x00, 0x08}},                                  // 12
    {"keyboard_key_F", "F", 0x46, {0x20, 0x00, 0x09}},                                  // 13
    {"keyboard_key_G", "G", 0x47, {0x20, 0x00, 0x0A}},                                  // 14
    {"keyboard_key_H", "H", 0x48, {0x20, 0x00, 0x0B}},                                  // 15
    {"keyboard_key_I", "I", 0x49, {0x20, 0x00, 0x0C}},                                  // 16
    {"keyboard_key_J", "J", 0x4A, {0x20, 0x00, 0x0D}},                                  // 17
    {"keyboard_key_K", "K", 0x4B, {0x20, 0x00, 0x0E}},                                  // 18
    {"keyboard_key_L", "L", 0x4C, {0x20, 0x00, 0x0F}},                                  // 19
    {"keyboard_key_M", "M", 0x4D, {0x20, 0x00, 0x10}},                                  // 20
    {"keyboard_key_N", "N", 0x4E, {0x20, 0x00, 0x11}},                                  // 21
    {"keyboard_key_O", "O", 0x4F, {0x20, 0x00, 0x12}},                                  // 22
    {"keyboard_key_P", "P", 0x50, {0x20, 0x00, 0x13}},                                  // 23
    {"keyboard_key_Q", "Q", 0x51, {0x20, 0x00, 0x14}},                                  // 24
    {"keyboard_key_R", "R", 0x52, {0x20, 0x00, 0x15}},                                  // 25
    {"keyboard_key_S", "S", 0x53, {0x20, 0x00, 0x16}},                                  // 26
    {"keyboard_key_T", "T", 0x54, {0x20, 0x00, 0x17}},                                  // 27
    {"keyboard_key_U", "U", 0x55, {0x20, 0x00, 0x18}},                                  // 28
    {"keyboard_key_V", "V", 0x56, {0x20, 0x00, 0x19}},                                  // 29
    {"keyboard_key_W", "W", 0x57, {0x20, 0x00, 0x1A}},                                  // 30
    {"keyboard_key_X", "X", 0x58, {0x20, 0x00, 0x1B}},                                  // 31
    {"keyboard_key_Y", "Y", 0x59, {0x20, 0x00, 0x1C}},                                  // 32
    {"keyboard_key_Z", "Z", 0x5A, {0x20, 0x00, 0x1D}},                                  // 33
    {"keyboard_key_1", "1", 0x31, {0x20, 0x00, 0x1E}},                                  // 34
    {"keyboard_key_2", "2", 0x32, {0x20, 0x00, 0x1F}},                                  // 35
    {"keyboard_key_3", "3", 0x33, {0x20, 0x00, 0x20}},                                  // 36
    {"keyboard_key_4", "4", 0x34, {0x20, 0x00, 0x21}},                                  // 37
    {"keyboard_key_5", "5", 0x35, {0x20, 0x00, 0x22}},                                  // 38
    {"keyboard_key_6", "6", 0x36, {0x20, 0x00, 0x23}},                                  // 39
    {"keyboard_key_7", "7", 0x37, {0x20, 0x00, 0x24}},                                  // 40
    {"keyboard_key_8", "8", 0x38, {0x20, 0x00, 0x25}},                                  // 41
    {"keyboard_key_9", "9", 0x39, {0x20, 0x00, 0x26}},                                  // 42
    {"keyboard_key_0", "0", 0x30, {0x20, 0x00, 0x27}},                                  // 43
    {"keyboard_key_Enter", "Enter", 0x0D, {0x20, 0x00, 0x28}},                          // 44
    {"keyboard_key_Esc", "Esc", 0x1B, {0x20, 0x00, 0x29}},                              // 45
    {"keyboard_key_BackSpace", "Backspace", 0x08, {0x20, 0x00, 0x2A}},                  // 46
    {"keyboard_key_Tab", "Tab", 0x09, {0x20, 0x00, 0x2B}},                              // 47
    {"keyboard_key_Space", "Space", 0x20, {0x20, 0x00, 0x2C}},                          // 48
    {"keyboard_key_-", "-", 0xBD, {0x20, 0x00, 0x2D}},                                  // 49
    {"keyboard_key_=", "=", 0xBB, {0x20, 0x00, 0x2E}},                                  // 50
    {"keyboard_key_[", "[", 0xDB, {0x20, 0x00, 0x2F}},                                  // 51
    {"keyboard_key_]", "]", 0xDD, {0x20, 0x00, 0x30}},                                  // 52
    {"keyboard_key_xiegang", "\\", 0xDC, {0x20, 0x00, 0x31}},                           // 53
    {"keyboard_key_;", ";", 0xBA, {0x20, 0x00, 0x33}},                                  // 54
    {"keyboard_key_'", "'", 0xDE, {0x20, 0x00, 0x34}},                                  // 55
    {"keyboard_key_`", "`", 0xC0, {0x20, 0x00, 0x35}},                                  // 56
    {"keyboard_key_<", ",", 0xBC, {0x20, 0x00, 0x36}},                                  // 57
    {"keyboard_key_.", ".", 0xBE, {0x20, 0x00, 0x37}},                                  // 58
    {"keyboard_key_/", "/", 0xBF, {0x20, 0x00, 0x38}},                                  // 59
    {"keyboard_key_Caplk", "Caps Lock", 0x14, {0x20, 0x00, 0x39}},                      // 60
    {"keyboard_key_F1", "F1", 0x70, {0x20, 0x00, 0x3A}},                                // 61
    {"keyboard_key_F2", "F2", 0x71, {0x20, 0x00, 0x3B}},                                // 62
    {"keyboard_key_F3", "F3", 0x72, {0x20, 0x00, 0x3C}},                                // 63
    {"keyboard_key_F4", "F4", 0x73, {0x20, 0x00, 0x3D}},                                // 64
    {"keyboard_key_F5", "F5", 0x74, {0x20, 0x00, 0x3E}},                                // 65
    {"keyboard_key_F6", "F6", 0x75, {0x20, 0x00, 0x3F}},                                // 66
    {"keyboard_key_F7", "F7", 0x76, {0x20, 0x00, 0x40}},                                // 67
    {"keyboard_key_F8", "F8", 0x77, {0x20, 0x00, 0x41}},                                // 68
    {"keyboard_key_F9", "F9", 0x78, {0x20, 0x00, 0x42}},                                // 69
    {"keyboard_key_F10", "F10", 0x79, {0x20, 0x00, 0x43}},                              // 70
    {"keyboard_key_F11", "F11", 0x7A, {0x20, 0x00, 0x44}},                              // 71
    {"keyboard_key_F12", "F12", 0x7B, {0x20, 0x00, 0x45}},                              // 72
    {"keyboard_key_Print Scr", "Print Screen", 0x2C, {0x20, 0x00, 0x46}},               // 73
    {"keyboard_key_Scroll Lock", "Scroll Lock", 0x91, {0x20, 0x00, 0x47}},              // 74
    {"keyboard_key_Pause", "Pause", 0x13, {0x20, 0x00, 0x48}},                          // 75
    {"keyboard_key_Insert", "Insert", 0x2D, {0x20, 0x00, 0x49}},                        // 76
    {"keyboard_key_Home", "Home", 0x24, {0x20, 0x00, 0x4A}},                            // 77
    {"keyboard_key_Page Up", "Page Up", 0x21, {0x20, 0x00, 0x4B}},                      // 78
    {"keyboard_key_Delete", "Delete", 0x2E, {0x20, 0x00, 0x4C}},                        // 79
    {"keyboard_key_End", "End", 0x23, {0x20, 0x00, 0x4D}},                              // 80
    {"keyboard_key_Page Down", "Page Down", 0x22, {0x20, 0x00, 0x4E}},                  // 81
    {"keyboard_key_Right", "Right", 0x27, {0x20, 0x00, 0x4F}},                          // 82
    {"keyboard_key_Left", "Left", 0x25, {0x20, 0x00, 0x50}},                            // 83
    {"keyboard_key_Down", "Down", 0x28, {0x20, 0x00, 0x51}},                            // 84
    {"keyboard_key_Up", "Up", 0x26, {0x20, 0x00, 0x52}},                                // 85
    {"keyboard_key_Num Lock", "Num Lock", 0x90, {0x20, 0x00, 0x53}},                    // 86
    {"keyboard_key_Num /", "Num /", 0x6F, {0x20, 0x00, 0x54}},                          // 87
    {"keyboard_key_Num *", "Num *", 0x6A, {0x20, 0x00, 0x55}},                          // 88
    {"keyboard_key_Num -", "Num -", 0x6D, {0x20, 0x00, 0x56}},                          // 89
    {"keyboard_key_Num +", "Num +", 0x6B, {0x20, 0x00, 0x57}},                          // 90
    {"keyboard_key_Num Enter", "Num Enter", 0x101, {0x20, 0x00, 0x58}},                 // 91
    {"keyboard_key_Num 1", "Num 1", 0x61, {0x20, 0x00, 0x59}},                          // 92
    {"keyboard_key_Num 2", "Num 2", 0x62, {0x20, 0x00, 0x5A}},                          // 93
    {"keyboard_key_Num 3", "Num 3", 0x63, {0x20, 0x00, 0x5B}},                          // 94
    {"keyboard_key_Num 4", "Num 4", 0x64, {0x20, 0x00, 0x5C}},                          // 95
    {"keyboard_key_Num 5", "Num 5", 0x65, {0x20, 0x00, 0x5D}},                          // 96
    {"keyboard_key_Num 6", "Num 6", 0x66, {0x20, 0x00, 0x5E}},                          // 97
    {"keyboard_key_Num 7", "Num 7", 0x67, {0x20, 0x00, 0x5F}},                          // 98
    {"keyboard_key_Num 8", "Num 8", 0x68, {0x20, 0x00, 0x60}},                          // 99
    {"keyboard_key_Num 9", "Num 9", 0x69, {0x20, 0x00, 0x61}},                          // 100
    {"keyboard_key_Num 0", "Num 0", 0x60, {0x20, 0x00, 0x62}},                          // 101
    {"keyboard_key_Decimal", "Num .", 0x6E, {0x20, 0x00, 0x63}},                        // 102
    {"keyboard_key_App", "Menu", 0x5D, {0x20, 0x00, 0x65}},                             // 103
    {"keyboard_key_K45", "ISO \\", 0xE2, {0x20, 0x00, 0x64}},                           // 104
    {"keyboard_key_K56", "Ro", 0xC1, {0x20, 0x00, 0x87}},                               // 105
    {"keyboard_key_K14", "Yen", 0xFF, {0x20, 0x00, 0x89}},                              // 106
    {"keyboard_key_K107", "Keypad ,", 0xC2, {0x20, 0x00, 0x85}},                        // 107
    {"keyboard_key_K131", "Muhenkan", 0xEB, {0x20, 0x00, 0x8B}},                        // 108
    {"keyboard_key_K132", "Henkan", 0xFF, {0x20, 0x00, 0x8A}},                          // 109
    {"keyboard_key_K133", "Katakana", 0xFF, {0x20, 0x00, 0x88}},                        // 110
    {"keyboard_key_K150", "Hangul", 0xE9, {0x20, 0x00, 0x91}},                          // 111
    {"keyboard_key_K151", "Hanja", 0xFF, {0x20, 0x00, 0x90}},                           // 112
    {"keyboard_key_Launch App2", "Calculator", 0xB7, {0x30, 0x92, 0x01}},               // 113
    {"keyboard_key_Browaer Home", "Browser Home", 0xAC, {0x30, 0x23, 0x02}},            // 114
    {"keyboard_key_Media Play Pause", "Play/Pause", 0xB3, {0x30, 0xCD, 0x00}},          // 115
    {"keyboard_key_Browser Search", "Browser Search", 0xAA, {0x30, 0x21, 0x02}},        // 116
    {"keyboard_key_Launch Mail", "Mail", 0xB4, {0x30, 0x8A, 0x01}},                     // 117
    {"keyboard_key_Volume Up", "Volume Up", 0xAF, {0x30, 0xE9, 0x00}},                  // 118
    {"keyboard_key_Volume Mute", "Mute", 0xAD, {0x30, 0xE2, 0x00}},                     // 119
    {"keyboard_key_Media Stop", "Stop", 0xB2, {0x30, 0xB7, 0x00}},                      // 120
    {"keyboard_key_Volume Down", "Volume Down", 0xAE, {0x30, 0xEA, 0x00}},              // 121
    {"keyboard_key_Browser Favorites", "Browser Favourites", 0xAB, {0x30, 0x2A, 0x02}}, // 122
    {"keyboard_key_Browser ForWard", "Browser Forward", 0xA7, {0x30, 0x25, 0x02}},      // 123
    {"keyboard_key_Browser Back", "Browser Back", 0xA6, {0x30, 0x24, 0x02}},            // 124
    {"keyboard_key_Media Prev Track", "Previous Track", 0xB1, {0x30, 0xB6, 0x00}},      // 125
    {"keyboard_key_Media Next Track", "Next Track", 0xB0, {0x30, 0xB5, 0x00}},          // 126
    {"keyboard_key_Computer", "My Computer", 0xB6, {0x30, 0x94, 0x01}},                 // 127
    {"keyboard_key_Browser Refresh", "Browser Refresh", 0xA8, {0x30, 0x27, 0x02}},      // 128
    {"wed_stop", "Browser Stop", 0xA9, {0x30, 0x26, 0x02}},                             // 129
    {"keyboard_key_Launch Media Select", "Media Select", 0xB5, {0x30, 0x83, 0x01}},     // 130
    {"keyboard_key_Power", "Power", 0x103, {0x40, 0x01, 0x00}},                         // 131
    {"keyboard_key_Sleep", "Sleep", 0x104, {0x40, 0x02, 0x00}},                         // 132
    {"keyboard_key_Wakeup", "Wake", 0x105, {0x40, 0x04, 0x00}},                         // 133
    {"keyboard_key_M1", "M1", 0x00, {0xD0, 0xA2, 0x01}},                                // 134
    {"keyboard_key_M2", "M2", 0x00, {0xD0, 0xA2, 0x02}},                                // 135
    {"keyboard_key_M3", "M3", 0x00, {0xD0, 0xA2, 0x03}},                                // 136
    {"keyboard_key_M4", "M4", 0x00, {0xD0, 0xA2, 0x04}},                                // 137
    {"keyboard_key_M5", "M5", 0x00, {0xD0, 0xA2, 0x05}},                                // 138
    {"keyboard_key_FN", "Fn", 0x00, {0xA0, 0x01, 0x00}},                                // 139
    {"keyboard_key_GM", "GM", 0x00, {0xA0, 0x1B, 0x00}},                                // 140
}};

} // namespace

std::span<const KeyCatalogueEntry> keyCatalogue() {
    return kCatalogue;
}

std::optional<size_t> findKeyByUsage(uint8_t usage, size_t from) {
    for (size_t i = from; i < kCatalogue.size(); ++i) {
        const profiles::AssignmentCode& code = kCatalogue[i].code;
        if (code.kind == 0x20 && code.first == 0 && code.second == usage) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<size_t> findModifierByBit(uint8_t bit) {
    for (size_t i = 0; i < kFirstNonModifierEntry; ++i) {
        if (kCatalogue[i].code.first == bit) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<size_t> findKeyByName(std::string_view name) {
    for (size_t i = 0; i < kCatalogue.size(); ++i) {
        if (equalsIgnoreCase(kCatalogue[i].name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace morva::keyassign
