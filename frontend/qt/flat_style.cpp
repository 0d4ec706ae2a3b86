#include "frontend/qt/flat_style.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>

namespace morva::qt {
namespace {

constexpr qreal kFieldRadius = 4;

bool enabled(const QStyleOption& option) {
    return option.state.testFlag(QStyle::State_Enabled);
}

// A rounded box with a thin border, the accent colour when it has the keyboard focus.
void drawField(QPainter& painter, const QStyleOption& option) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const bool focused = option.state.testFlag(QStyle::State_HasFocus) && enabled(option);
    painter.setPen(QPen(QColor(focused ? look::kAccent : look::kFieldBorder), 1));
    painter.setBrush(option.palette.brush(QPalette::Base));
    painter.drawRoundedRect(QRectF(option.rect).adjusted(0.5, 0.5, -0.5, -0.5), kFieldRadius,
                            kFieldRadius);
    painter.restore();
}

// A small downward chevron centred in `box`.
void drawChevron(QPainter& painter, const QRect& box, const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF centre = QRectF(box).center();
    QPainterPath path(centre + QPointF(-4, -2));
    path.lineTo(centre + QPointF(0, 2));
    path.lineTo(centre + QPointF(4, -2));
    painter.drawPath(path);
    painter.restore();
}

// A horizontal slider: a thin groove, filled in the accent colour up to the handle's centre
// (from the right when the slider runs backwards), and a round handle.
void drawSlider(QPainter& painter, const QStyleOptionSlider& slider, const QRect& handle) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF box(slider.rect);
    const qreal thickness = FlatStyle::kSliderGroove;
    const QRectF groove(box.left(), box.center().y() - thickness / 2, box.width(), thickness);
    painter.setBrush(QColor(look::kFieldBorder));
    painter.drawRoundedRect(groove, thickness / 2, thickness / 2);

    const qreal middle = QRectF(handle).center().x();
    QRectF filled = groove;
    if (slider.upsideDown) {
        filled.setLeft(middle);
    } else {
        filled.setRight(middle);
    }
    painter.setBrush(QColor(enabled(slider) ? look::kAccent : look::kDisabledText));
    painter.drawRoundedRect(filled, thickness / 2, thickness / 2);

    const qreal radius = FlatStyle::kSliderHandle / 2.0;
    painter.setBrush(QColor(enabled(slider) ? look::kText : look::kDisabledText));
    painter.drawEllipse(QPointF(middle, groove.center().y()), radius, radius);
    painter.restore();
}

} // namespace

QPalette darkPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(look::kWindow));
    palette.setColor(QPalette::WindowText, QColor(look::kText));
    palette.setColor(QPalette::Base, QColor(look::kField));
    palette.setColor(QPalette::AlternateBase, QColor(look::kWindow));
    palette.setColor(QPalette::Text, QColor(look::kText));
    palette.setColor(QPalette::Button, QColor(look::kField));
    palette.setColor(QPalette::ButtonText, QColor(look::kText));
    palette.setColor(QPalette::Highlight, QColor(look::kAccent));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(look::kField));
    palette.setColor(QPalette::ToolTipText, QColor(look::kText));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(look::kDisabledText));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(look::kDisabledText));
    return palette;
}

QPalette darkMenuPalette() {
    QPalette palette = darkPalette();
    palette.setColor(QPalette::Window, QColor(look::kField));
    palette.setColor(QPalette::Highlight, QColor(look::kSelection));
    return palette;
}

FlatStyle::FlatStyle() : QProxyStyle(QStringLiteral("Fusion")) {}

void FlatStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
    switch (element) {
    case PE_PanelLineEdit:
        if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
            frame != nullptr && frame->lineWidth > 0) {
            drawField(*painter, *option);
            return;
        }
        break;
    case PE_Frame:
        // The multi-line edit's frame: the same box as a one-line edit's.
        if (widget != nullptr && widget->inherits("QPlainTextEdit")) {
            drawField(*painter, *option);
            return;
        }
        break;
    case PE_PanelTipLabel:
        painter->save();
        painter->setPen(QColor(look::kFieldBorder));
        painter->setBrush(option->palette.toolTipBase());
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FlatStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const {
    if (control == CC_ComboBox) {
        if (const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
            combo != nullptr && !combo->editable) {
            drawField(*painter, *combo);
            const QColor arrow = combo->palette.color(
                enabled(*combo) ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
            drawChevron(*painter, subControlRect(control, combo, SC_ComboBoxArrow, widget), arrow);
            return;
        }
    }
    if (control == CC_Slider) {
        if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
            slider != nullptr && slider->orientation == Qt::Horizontal) {
            drawSlider(*painter, *slider, subControlRect(control, slider, SC_SliderHandle, widget));
            return;
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

QRect FlatStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                SubControl part, const QWidget* widget) const {
    // A horizontal slider's groove is its whole width; the handle, the full height for an easy
    // grab, moves along it. QSlider maps the pointer to a value with these two.
    if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
        control == CC_Slider && slider != nullptr && slider->orientation == Qt::Horizontal) {
        const QRect box = slider->rect;
        if (part == SC_SliderGroove) {
            return box;
        }
        if (part == SC_SliderHandle) {
            const int offset =
                sliderPositionFromValue(slider->minimum, slider->maximum, slider->sliderPosition,
                                        box.width() - kSliderHandle, slider->upsideDown);
            return {box.left() + offset, box.top(), kSliderHandle, box.height()};
        }
    }
    if (control == CC_ComboBox && part == SC_ComboBoxEditField) {
        QRect field = QProxyStyle::subControlRect(control, option, part, widget);
        field.setLeft(option->rect.left() + kTextInset);
        return field;
    }
    return QProxyStyle::subControlRect(control, option, part, widget);
}

QRect FlatStyle::subElementRect(SubElement element, const QStyleOption* option,
                                const QWidget* widget) const {
    QRect area = QProxyStyle::subElementRect(element, option, widget);
    if (element == SE_LineEditContents) {
        area.setLeft(std::max(area.left(), option->rect.left() + kTextInset));
        area.setRight(std::min(area.right(), option->rect.right() - kTextInset));
    }
    return area;
}

int FlatStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
    if (metric == PM_SliderLength) {
        return kSliderHandle;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace morva::qt
