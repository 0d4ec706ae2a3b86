#pragma once

#include "frontend/qt/qt_widgets.h"
#include "ui/controls/wnd_ui.h"

#include <QPointer>

// The widgets of the program's custom controls: tiles with a delete mark, the hand button, the
// ring progress, the chart, the host of a native window and the hot-bordered list row.
namespace morva::qt {

// The widget of a custom control, or null when the control is none of them.
QWidget* createCustomWidgetFor(ui::Control& control, RenderContext& context, QWidget* parent,
                               ControlView*& view);

// A tile: its hand picture, and its delete mark while the pointer is over it.
class SkinHandButton : public SkinButton {
public:
    SkinHandButton(ui::Control& control, RenderContext& context, QWidget* parent);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// Shows its hand picture where the pointer holds it, and the cursor the skin chose.
class SkinHandSelectButton : public SkinButton {
public:
    SkinHandSelectButton(ui::Control& control, RenderContext& context, QWidget* parent);
    void sync(ui::Property property) override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A ring: the background disc, the value's sector in the foreground colour, a white middle.
class SkinCircleProgress : public SkinWidget {
public:
    using SkinWidget::SkinWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A pie, or bars standing on the shadow picture, with the items' names.
class SkinChartView : public SkinWidget {
public:
    using SkinWidget::SkinWidget;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintPie(QPainter& painter, const QRect& area);
    void paintBars(QPainter& painter, const QRect& area);
};

// Keeps the control's hosted window on the control whenever the widget moves, is resized,
// shown or hidden.
class SkinWndHost : public SkinWidget {
public:
    using SkinWidget::SkinWidget;

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void placeHosted();
};

// A Qt widget as the window a CWndUI hosts: a child of the top-level window it is painted in,
// or a window of its own placed on the screen.
class QtHostedWindow : public ui::HostedWindow {
public:
    explicit QtHostedWindow(QWidget* widget) : widget_(widget) {}
    bool childOfPaintWindow() const override;
    void place(const ui::Rect& rect, bool visible) override;

private:
    QPointer<QWidget> widget_;
};

// A list row framed by a one-pixel border in the accent colour while hovered.
class SkinHotBorderRow : public SkinWidget {
public:
    using SkinWidget::SkinWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace morva::qt
