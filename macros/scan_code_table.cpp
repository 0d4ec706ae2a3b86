#include "macros/scan_code_table.h"

#include <array>

namespace morva::macros {
namespace {

// Make code, E0 prefix; in key catalogue order. Where the desktop's hook and the keyboard's own
// bytes differ, the hook's report is taken: right Shift comes with the prefix, Pause is 45 without
// it and Num Lock 45 with it.
constexpr std::array<ScanCodeRow, kScanCodeRowCount> kRows = {{
    {0x1D, false}, {0x2A, false}, {0x38, false}, {0x5B, true},  // 0   LCtrl LShift LAlt LWin
    {0x1D, true},  {0x36, true},  {0x38, true},  {0x5C, true},  // 4   RCtrl RShift RAlt RWin
    {0x1E, false}, {0x30, false}, {0x2E, false}, {0x20, false}, // 8   A B C D
    {0x12, false}, {0x21, false}, {0x22, false}, {0x23, false}, // 12  E F G H
    {0x17, false}, {0x24, false}, {0x25, false}, {0x26, false}, // 16  I J K L
    {0x32, false}, {0x31, false}, {0x18, false}, {0x19, false}, // 20  M N O P
    {0x10, false}, {0x13, false}, {0x1F, false}, {0x14, false}, // 24  Q R S T
    {0x16, false}, {0x2F, false}, {0x11, false}, {0x2D, false}, // 28  U V W X
    {0x15, false}, {0x2C, false},                               // 32  Y Z
    {0x02, false}, {0x03, false}, {0x04, false}, {0x05, false}, // 34  1 2 3 4
    {0x06, false}, {0x07, false}, {0x08, false}, {0x09, false}, // 38  5 6 7 8
    {0x0A, false}, {0x0B, false},                               // 42  9 0
    {0x1C, false}, {0x01, false}, {0x0E, false}, {0x0F, false}, // 44  Enter Esc BackSpace Tab
    {0x39, false}, {0x0C, false}, {0x0D, false}, {0x1A, false}, // 48  Space - = [
    {0x1B, false}, {0x2B, false}, {0x27, false}, {0x28, false}, // 52  ] \ ; '
    {0x29, false}, {0x33, false}, {0x34, false}, {0x35, false}, // 56  ` , . /
    {0x3A, false},                                              // 60  Caps Lock
    {0x3B, false}, {0x3C, false}, {0x3D, false}, {0x3E, false}, // 61  F1 F2 F3 F4
    {0x3F, false}, {0x40, false}, {0x41, false}, {0x42, false}, // 65  F5 F6 F7 F8
    {0x43, false}, {0x44, false}, {0x57, false}, {0x58, false}, // 69  F9 F10 F11 F12
    {0x37, true},  {0x46, false}, {0x45, false}, // 73  Print Screen, Scroll Lock, Pause
    {0x52, true},  {0x47, true},  {0x49, true},  // 76  Insert Home Page Up
    {0x53, true},  {0x4F, true},  {0x51, true},  // 79  Delete End Page Down
    {0x4D, true},  {0x4B, true},  {0x50, true},  {0x48, true},  // 82  Right Left Down Up
    {0x45, true},  {0x35, true},  {0x37, false}, {0x4A, false}, // 86  Num Lock, Num / * -
    {0x4E, false}, {0x1C, true},                                // 90  Num + Enter
    {0x4F, false}, {0x50, false}, {0x51, false}, {0x4B, false}, // 92  Num 1 2 3 4
    {0x4C, false}, {0x4D, false}, {0x47, false}, {0x48, false}, // 96  Num 5 6 7 8
    {0x49, false}, {0x52, false}, {0x53, false},                // 100 Num 9 0 .
    {0x5D, true},                                               // 103 Application
    {0x56, false}, {0x73, false}, {0x7D, false}, {0x7E, false}, // 104 K45 K56 K14 K107
    {0x7B, false}, {0x79, false}, {0x70, false}, {0x71, false}, // 108 K131 K132 K133 K150
    {0x72, false},                                              // 112 K151
}};

} // namespace

std::span<const ScanCodeRow> scanCodeTable() {
    return kRows;
}

std::optional<size_t> findScanCodeRow(uint32_t scanCode, bool extended) {
    for (size_t i = 0; i < kRows.size(); ++i) {
        if (kRows[i].scanCode == scanCode && kRows[i].extended == extended) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace morva::macros
