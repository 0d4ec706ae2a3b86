#pragma once

#include "frontend/qt/look_colours.h"
#include "frontend/qt/prepared_caption.h"
#include "ui/toolkit/control.h"
#include "ui/toolkit/property.h"

#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRubberBand>
#include <QSlider>
#include <QString>
#include <QWidget>
#include <string>

// The widgets the renderer uses: one kind per control class, each drawing its control's
// properties and turning the user's actions into the control's model calls.
namespace morva::qt {

// What the widgets ask of the renderer.
class RenderContext {
public:
    virtual ~RenderContext() = default;
    // The picture of an image description of the skin, drawn for a box of `size` logical
    // pixels on a device of that pixel ratio; null when there is none.
    virtual QPixmap image(const std::string& description, QSize size, qreal pixelRatio) = 0;
    // Draws that picture into the box, at the painter's device's pixel ratio.
    virtual void drawImage(QPainter& painter, const QRect& box, const std::string& description) = 0;
    // The same picture's shape in one colour (an LED's glow in the LED's colour).
    virtual QImage tintedImage(const std::string& description, QSize size, qreal pixelRatio,
                               const QColor& colour) = 0;
    // The control's font at its window's DPI.
    virtual QFont fontFor(const ui::Control& control) = 0;
    // Height of the caption band (scaled) in which a press on a passive area moves the window.
    virtual int captionHeight(const ui::Control& control) = 0;
};

// The renderer's side of every widget: read the control's property again.
class ControlView {
public:
    ControlView(ui::Control& control, RenderContext& context)
        : ref_(control.ref()), context_(context) {}
    virtual ~ControlView() = default;

    // The control, or null once it is gone.
    ui::Control* control() const { return ref_.get(); }
    virtual void sync(ui::Property property) = 0;
    // Reads everything (after creation and after a language or font change).
    void syncAll();

protected:
    RenderContext& context() const { return context_; }
    // Shows the properties every kind shows alike (tool tip, font) on the widget.
    void syncCommon(ui::Property property, QWidget& widget);
    // Tells the control that its widget gained or lost the keyboard focus.
    void tellFocus(bool gained) const;

private:
    ui::ControlRef ref_;
    RenderContext& context_;
};

QColor argbColor(uint32_t argb);
QString toQString(const std::string& text);
// The font a one-line text is drawn with in a box of that width: smaller while it does not fit,
// down to 70 % of the font's size (beyond that the text is clipped).
QFont fittedFont(QFont font, const QString& text, int width);

// Draws background colour, images and text; passes mouse input to the control as events.
class SkinWidget : public QWidget, public ControlView {
public:
    SkinWidget(ui::Control& control, RenderContext& context, QWidget* parent);

    void sync(ui::Property property) override;
    // What the widget shows (for tests and accessibility).
    const QString& shownText() const { return text_; }
    // The state picture it draws now, by attribute name ("normalimage", "hotimage", ...).
    std::string shownStateImage() const { return stateImageName(); }
    bool hovered() const { return hovered_; }
    bool pressed() const { return pressed_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // A list scrolls its rows; elsewhere the wheel goes on to the parent (a row to its list).
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;

    // The state image for the current state, by attribute name ("hotimage", ...); empty: none.
    virtual std::string stateImageName() const;
    virtual QColor currentTextColor() const;
    virtual bool highlighted() const;
    virtual int defaultAlignment() const;
    void deliver(ui::EventType type, const QPoint& at);
    // The background, pictures and text: the whole of the paint event.
    void paintContent(QPainter& painter);

private:
    bool startCaptionDrag(const QPoint& at);
    // The font of a one-line text in a box of that width, measured again only when the text,
    // the font or the width has changed (pictures repaint far more often than that).
    const QFont& captionFont(int width);

    QString text_;
    QFont captionFont_;
    PreparedCaption caption_;
    int captionWidth_ = -1; // -1: to be measured
    bool hovered_ = false;
    bool pressed_ = false;
};

// A device picture's select panel. It paints its key and LED buttons itself, with one painter:
// a keyboard has over two hundred of them and they repaint with every preview frame, where a
// painter and a paint pass of its own for each cost more than the painting. Its rubber band is
// drawn above them.
class SkinSelectPanel : public SkinWidget {
public:
    SkinSelectPanel(ui::Control& control, RenderContext& context, QWidget* parent);

    void sync(ui::Property property) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRubberBand* band_;
};

// Buttons: hot and pushed states; a complete click (or Space/Return with the focus) activates.
class SkinButton : public SkinWidget {
public:
    SkinButton(ui::Control& control, RenderContext& context, QWidget* parent);

    // A device's key or LED button lying on its select panel, which paints it.
    bool paintedByPanel() const { return paintedByPanel_; }
    // Paints the button with a painter set to the button's own coordinates.
    void paintButton(QPainter& painter);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    std::string stateImageName() const override;
    int defaultAlignment() const override { return Qt::AlignCenter; }

private:
    bool paintedByPanel_ = false;

    void paintLed(QPainter& painter);
    void paintFocusRing(QPainter& painter);
};

// Options and check boxes: the selected state.
class SkinOption : public SkinButton {
public:
    SkinOption(ui::Control& control, RenderContext& context, QWidget* parent);

    void sync(ui::Property property) override;
    bool isSelected() const { return selected_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    std::string stateImageName() const override;
    QColor currentTextColor() const override;
    bool highlighted() const override { return selected_; }

private:
    bool selected_ = false;
    bool checkBox_ = false;
};

class SkinEdit : public QLineEdit, public ControlView {
public:
    SkinEdit(ui::Control& control, RenderContext& context, QWidget* parent);
    void sync(ui::Property property) override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

class SkinRichEdit : public QPlainTextEdit, public ControlView {
public:
    SkinRichEdit(ui::Control& control, RenderContext& context, QWidget* parent);
    void sync(ui::Property property) override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool syncing_ = false;
};

class SkinCombo : public QComboBox, public ControlView {
public:
    SkinCombo(ui::Control& control, RenderContext& context, QWidget* parent);
    void sync(ui::Property property) override;

private:
    void rebuildItems();
};

class SkinSlider : public QSlider, public ControlView {
public:
    SkinSlider(ui::Control& control, RenderContext& context, QWidget* parent);
    void sync(ui::Property property) override;
};

// A flat bar: a rounded groove and the value part, in the skin's colours or the look's.
class SkinProgress : public QProgressBar, public ControlView {
public:
    SkinProgress(ui::Control& control, RenderContext& context, QWidget* parent);
    void sync(ui::Property property) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor groove_{look::kFieldBorder};
    QColor value_{look::kAccent};
};

// A hue and brightness field; a click picks the colour under the pointer.
class SkinPalette : public QWidget, public ControlView {
public:
    SkinPalette(ui::Control& control, RenderContext& context, QWidget* parent);
    void sync(ui::Property property) override;
    QColor shownColor() const { return color_; }
    // The colour of the field at a point of the widget.
    QColor colorAt(const QPoint& at) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void pick(const QPoint& at);

    QColor color_;
};

// The control as one of its classes, or null.
template <typename T> T* as(ui::Control* control) {
    return dynamic_cast<T*>(control);
}

// A new widget of kind W for the control, which also becomes the control's view.
template <typename W>
QWidget* makeView(ui::Control& control, RenderContext& context, QWidget* parent,
                  ControlView*& view) {
    auto* widget = new W(control, context, parent);
    view = widget;
    return widget;
}

// Creates the widget for a control by its class.
QWidget* createWidgetFor(ui::Control& control, RenderContext& context, QWidget* parent,
                         ControlView*& view);

} // namespace morva::qt
