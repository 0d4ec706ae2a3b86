#include "frontend/qt/qt_custom_widgets.h"

#include "frontend/qt/look_colours.h"
#include "ui/controls/chart_view.h"
#include "ui/controls/circle_progress.h"
#include "ui/controls/cloud_share_list_item.h"
#include "ui/controls/hand_img_button.h"
#include "ui/controls/hand_img_select_button.h"
#include "ui/toolkit/window.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace morva::qt {
namespace {

const QColor kAccent(look::kAccent);
const QColor kChartText(look::kText);
// Slices and bars without a picture take these in turn.
const std::array<QColor, 6> kSeriesColours = {QColor(0x00, 0x99, 0xFF), QColor(0x2E, 0xCC, 0x71),
                                              QColor(0xF3, 0x9C, 0x12), QColor(0xE7, 0x4C, 0x3C),
                                              QColor(0x9B, 0x59, 0xB6), QColor(0x1A, 0xBC, 0x9C)};

// A rectangle of window coordinates in the widget's own.
QRect fromWindow(const QWidget& widget, const ui::Rect& r) {
    const QPoint topLeft = widget.mapFrom(widget.window(), QPoint(r.left, r.top));
    return {topLeft, QSize(r.width(), r.height())};
}

int scaled(const ui::Control& control, int value) {
    const ui::Window* window = control.window();
    return window != nullptr ? window->dpiScale().scale(value) : value;
}

Qt::CursorShape cursorShape(const std::string& name) {
    static const std::array<std::pair<std::string_view, Qt::CursorShape>, 14> shapes = {{
        {"arrow", Qt::ArrowCursor},
        {"ibeam", Qt::IBeamCursor},
        {"wait", Qt::WaitCursor},
        {"cross", Qt::CrossCursor},
        {"uparrow", Qt::UpArrowCursor},
        {"size", Qt::SizeAllCursor},
        {"icon", Qt::ArrowCursor},
        {"sizenwse", Qt::SizeFDiagCursor},
        {"sizenesw", Qt::SizeBDiagCursor},
        {"sizewe", Qt::SizeHorCursor},
        {"sizens", Qt::SizeVerCursor},
        {"sizeall", Qt::SizeAllCursor},
        {"no", Qt::ForbiddenCursor},
        {"hand", Qt::PointingHandCursor},
    }};
    for (const auto& [shapeName, shape] : shapes) {
        if (shapeName == name) {
            return shape;
        }
    }
    return Qt::ArrowCursor;
}

using WidgetMaker = QWidget* (*)(ui::Control&, RenderContext&, QWidget*, ControlView*&);

// A widget of kind W when the control is a C.
template <typename C, typename W>
QWidget* makeFor(ui::Control& control, RenderContext& context, QWidget* parent,
                 ControlView*& view) {
    return as<C>(&control) != nullptr ? makeView<W>(control, context, parent, view) : nullptr;
}

constexpr WidgetMaker kCustomMakers[] = {
    &makeFor<ui::CHandImgButtonUI, SkinHandButton>,
    &makeFor<ui::CHandImgSelectButtonUI, SkinHandSelectButton>,
    &makeFor<ui::CCircleProgressUI, SkinCircleProgress>,
    &makeFor<ui::CChartViewUI, SkinChartView>,
    &makeFor<ui::CWndUI, SkinWndHost>,
    &makeFor<ui::CCloudShareListItemUI, SkinHotBorderRow>,
};

} // namespace

QWidget* createCustomWidgetFor(ui::Control& control, RenderContext& context, QWidget* parent,
                               ControlView*& view) {
    for (const WidgetMaker make : kCustomMakers) {
        if (QWidget* widget = make(control, context, parent, view)) {
            return widget;
        }
    }
    return nullptr;
}

// --- SkinHandButton ------------------------------------------------------------------------

SkinHandButton::SkinHandButton(ui::Control& control, RenderContext& context, QWidget* parent)
    : SkinButton(control, context, parent) {
    // The mark turns hot under the pointer, pressed or not.
    setMouseTracking(true);
}

void SkinHandButton::mouseMoveEvent(QMouseEvent* event) {
    deliver(ui::EventType::MouseMove, event->position().toPoint());
}

void SkinHandButton::paintEvent(QPaintEvent* event) {
    SkinButton::paintEvent(event);
    const auto* tile = as<ui::CHandImgButtonUI>(control());
    if (tile == nullptr) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    context().drawImage(painter, rect(), tile->handImage());
    context().drawImage(painter, fromWindow(*this, tile->deleteArea()), tile->shownDeleteImage());
}

// --- SkinHandSelectButton ------------------------------------------------------------------

SkinHandSelectButton::SkinHandSelectButton(ui::Control& control, RenderContext& context,
                                           QWidget* parent)
    : SkinButton(control, context, parent) {}

void SkinHandSelectButton::sync(ui::Property property) {
    SkinButton::sync(property);
    if (const auto* button = as<ui::CHandImgSelectButtonUI>(control())) {
        setCursor(cursorShape(button->cursor()));
    }
}

void SkinHandSelectButton::paintEvent(QPaintEvent* event) {
    SkinButton::paintEvent(event);
    const auto* button = as<ui::CHandImgSelectButtonUI>(control());
    if (button == nullptr || button->handImage().empty()) {
        return;
    }
    const QPixmap hand = context().image(button->handImage(), size(), devicePixelRatioF());
    if (hand.isNull()) {
        return;
    }
    // At rest the hand sits in the middle; held, it follows the pointer.
    QPoint centre = rect().center();
    if (button->pressPoint()) {
        const ui::Point at = button->handPoint();
        centre = mapFrom(window(), QPoint(at.x, at.y));
    }
    QPainter painter(this);
    painter.drawPixmap(centre - QPoint(hand.width() / 2, hand.height() / 2), hand);
}

// --- SkinCircleProgress --------------------------------------------------------------------

void SkinCircleProgress::paintEvent(QPaintEvent* /*event*/) {
    const auto* progress = as<ui::CCircleProgressUI>(control());
    if (progress == nullptr) {
        return;
    }
    const int side = std::min(width(), height());
    const QRect disc((width() - side) / 2, (height() - side) / 2, side, side);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(argbColor(progress->bkColor() ? progress->bkColor() : 0xFF2A2F38));
    painter.drawEllipse(disc);
    painter.setBrush(argbColor(progress->foreColor() ? progress->foreColor() : 0xFF0099FF));
    // Qt counts sixteenths of a degree, counter-clockwise: the sector runs clockwise from the top.
    const int start = static_cast<int>(ui::CCircleProgressUI::kStartDegrees * 16);
    painter.drawPie(disc, start, -static_cast<int>(std::lround(progress->sweepDegrees() * 16)));
    const int inset = scaled(*progress, ui::CCircleProgressUI::kRingWidth);
    painter.setBrush(Qt::white);
    painter.drawEllipse(disc.adjusted(inset, inset, -inset, -inset));
    if (!shownText().isEmpty()) {
        painter.setPen(QColor(0x20, 0x24, 0x2C));
        painter.setFont(font());
        painter.drawText(disc, Qt::AlignCenter, shownText());
    }
}

// --- SkinChartView -------------------------------------------------------------------------

void SkinChartView::paintEvent(QPaintEvent* event) {
    SkinWidget::paintEvent(event);
    const auto* chart = as<ui::CChartViewUI>(control());
    if (chart == nullptr || chart->items().empty()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    if (chart->view() == ui::CChartViewUI::View::Pie) {
        paintPie(painter, rect());
    } else {
        paintBars(painter, rect());
    }
}

void SkinChartView::paintPie(QPainter& painter, const QRect& area) {
    const auto* chart = as<ui::CChartViewUI>(control());
    const int legendWidth = chart->showText() ? area.width() / 3 : 0;
    const int side = std::min(area.width() - legendWidth, area.height()) - 4;
    const QRect pie(area.left() + 2, area.top() + (area.height() - side) / 2, side, side);
    const int lineHeight = painter.fontMetrics().height() + 4;
    double angle = 90.0;
    for (size_t i = 0; i < chart->items().size(); ++i) {
        const QColor colour = kSeriesColours[i % kSeriesColours.size()];
        const double sweep = chart->share(i) * 360.0;
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPie(pie, static_cast<int>(std::lround(angle * 16)),
                        -static_cast<int>(std::lround(sweep * 16)));
        angle -= sweep;
        if (legendWidth > 0) {
            const QRect line(pie.right() + 12, area.top() + 4 + static_cast<int>(i) * lineHeight,
                             legendWidth - 12, lineHeight);
            painter.fillRect(QRect(line.left(), line.center().y() - 4, 8, 8), colour);
            painter.setPen(kChartText);
            painter.drawText(line.adjusted(14, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                             toQString(chart->items()[i].name));
        }
    }
}

void SkinChartView::paintBars(QPainter& painter, const QRect& area) {
    const auto* chart = as<ui::CChartViewUI>(control());
    const size_t count = chart->items().size();
    const int textHeight = chart->showText() ? painter.fontMetrics().height() + 4 : 0;
    const int shadowHeight = scaled(*chart, chart->shadowImageHeight());
    const int floor = area.bottom() - textHeight - shadowHeight;
    const int slot = area.width() / static_cast<int>(count);
    const int pillarWidth = chart->pillarImageWidth() > 0
                                ? scaled(*chart, chart->pillarImageWidth())
                                : std::max(4, slot / 2);
    const QPixmap pillar =
        chart->pillarImage().empty()
            ? QPixmap()
            : context().image(chart->pillarImage(),
                              QSize(pillarWidth, std::max(1, floor - area.top())),
                              devicePixelRatioF());
    context().drawImage(painter, QRect(area.left(), floor, area.width(), shadowHeight),
                        chart->shadowImage());
    for (size_t i = 0; i < count; ++i) {
        const int height = static_cast<int>(chart->heightShare(i) * (floor - area.top() - 4));
        const int left = area.left() + static_cast<int>(i) * slot + (slot - pillarWidth) / 2;
        const QRect bar(left, floor - height, pillarWidth, height);
        if (!pillar.isNull()) {
            painter.drawPixmap(bar, pillar);
        } else {
            painter.fillRect(bar, kSeriesColours[i % kSeriesColours.size()]);
        }
        if (textHeight > 0) {
            painter.setPen(kChartText);
            painter.drawText(QRect(area.left() + static_cast<int>(i) * slot,
                                   area.bottom() - textHeight, slot, textHeight),
                             Qt::AlignCenter, toQString(chart->items()[i].name));
        }
    }
}

// --- SkinWndHost ---------------------------------------------------------------------------

void SkinWndHost::placeHosted() {
    if (auto* host = as<ui::CWndUI>(control())) {
        const QPoint origin = window()->mapToGlobal(QPoint(0, 0));
        host->positionChanged({origin.x(), origin.y()});
    }
}

void SkinWndHost::moveEvent(QMoveEvent* event) {
    SkinWidget::moveEvent(event);
    placeHosted();
}

void SkinWndHost::resizeEvent(QResizeEvent* event) {
    SkinWidget::resizeEvent(event);
    placeHosted();
}

void SkinWndHost::showEvent(QShowEvent* event) {
    SkinWidget::showEvent(event);
    placeHosted();
}

void SkinWndHost::hideEvent(QHideEvent* event) {
    SkinWidget::hideEvent(event);
    placeHosted();
}

bool QtHostedWindow::childOfPaintWindow() const {
    return widget_ != nullptr && !widget_->isWindow();
}

void QtHostedWindow::place(const ui::Rect& rect, bool visible) {
    if (widget_ == nullptr) {
        return;
    }
    widget_->setGeometry(rect.left, rect.top, rect.width(), rect.height());
    widget_->raise();
    widget_->setVisible(visible);
}

// --- SkinHotBorderRow ----------------------------------------------------------------------

void SkinHotBorderRow::paintEvent(QPaintEvent* event) {
    SkinWidget::paintEvent(event);
    const auto* row = as<ui::CCloudShareListItemUI>(control());
    if (row == nullptr || !row->hovered()) {
        return;
    }
    QPainter painter(this);
    painter.setPen(QPen(kAccent, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace morva::qt
