#pragma once

#include <QPalette>
#include <QProxyStyle>
#include <QRgb>

namespace morva::qt {

// The colours of the program's dark look, shared by the palette and the style.
namespace look {
constexpr QRgb kWindow = 0xFF16181D;
constexpr QRgb kField = 0xFF1E2229;       // edits, combos, menus, tips
constexpr QRgb kFieldBorder = 0xFF2E3440; // their border; a slider's or a bar's groove
constexpr QRgb kText = 0xFFE6E9EF;
constexpr QRgb kDisabledText = 0xFF6B7280;
constexpr QRgb kAccent = 0xFF0099FF;    // focus, a slider's filled part, a bar's value
constexpr QRgb kSelection = 0xFF0078C8; // a chosen menu or list row, under white text
} // namespace look

// The palette of the dark look, and the one for menus and combo lists (a darker selection,
// so white text on it stays readable).
QPalette darkPalette();
QPalette darkMenuPalette();

// Fusion with the program's flat fields and sliders: edits and combos are rounded boxes with a
// thin border that turns the accent colour on focus; a slider is a thin groove, filled up to a
// round handle. Drawn by hand rather than with a style sheet, which Qt would otherwise match
// against every one of the skin's widgets as they are made, at a cost in start-up time and
// memory.
class FlatStyle final : public QProxyStyle {
public:
    static constexpr int kSliderHandle = 12;
    static constexpr int kSliderGroove = 4;
    static constexpr int kTextInset = 6; // from a field's edge to its text

    FlatStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
};

} // namespace morva::qt
