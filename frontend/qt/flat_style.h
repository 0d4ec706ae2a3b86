#pragma once

#include "frontend/qt/look_colours.h"

#include <QPalette>
#include <QProxyStyle>

namespace morva::qt {

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
