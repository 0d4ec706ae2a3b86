#pragma once

#include <QRgb>

namespace morva::qt {

// The colours of the program's dark look, shared by the palette, the style and the widgets.
namespace look {
constexpr QRgb kWindow = 0xFF16181D;
constexpr QRgb kField = 0xFF1E2229;       // edits, combos, menus, tips
constexpr QRgb kFieldBorder = 0xFF2E3440; // their border; a slider's or a bar's groove
constexpr QRgb kText = 0xFFE6E9EF;
constexpr QRgb kDisabledText = 0xFF6B7280;
constexpr QRgb kAccent = 0xFF0099FF;    // focus, a slider's filled part, a bar's value
constexpr QRgb kSelection = 0xFF0078C8; // a chosen menu or list row, under white text
} // namespace look

} // namespace morva::qt
