#include "frontend/qt/qt_widgets.h"

#include "base/text.h"
#include "frontend/qt/look_colours.h"
#include "frontend/qt/qt_custom_widgets.h"
#include "frontend/qt/skin_pictures.h"
#include "ui/controls/device_key_button.h"
#include "ui/controls/select_panel.h"
#include "ui/toolkit/color_palette.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/list.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"
#include "ui/toolkit/window.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>

namespace morva::qt {
namespace {

// The accent of the dark look.
const QColor kAccent(look::kAccent);
const QColor kText(look::kText);
const QColor kDisabledText(look::kDisabledText);

ui::Point windowPoint(const QWidget& widget, const QPoint& local) {
    const QPoint p = widget.mapTo(widget.window(), local);
    return {p.x(), p.y()};
}

int alignmentFrom(const ui::Control& control, int fallback) {
    const auto align = control.attribute("align");
    int flags = Qt::AlignVCenter;
    if (!align) {
        return fallback;
    }
    if (align->find("center") != std::string::npos) {
        flags |= Qt::AlignHCenter;
    } else if (align->find("right") != std::string::npos) {
        flags |= Qt::AlignRight;
    } else {
        flags |= Qt::AlignLeft;
    }
    return flags;
}

QMargins textPadding(const ui::Control& control) {
    const auto padding = control.attribute("textpadding");
    if (!padding) {
        return {4, 0, 4, 0};
    }
    int l = 0, t = 0, r = 0, b = 0;
    if (std::sscanf(padding->c_str(), "%d,%d,%d,%d", &l, &t, &r, &b) != 4) {
        return {4, 0, 4, 0};
    }
    return {l, t, r, b};
}

uint32_t colorAttribute(const ui::Control& control, std::string_view name) {
    const auto value = control.attribute(name);
    if (!value || value->empty()) {
        return 0;
    }
    std::string digits = *value;
    if (digits[0] == '#') {
        digits.erase(0, 1);
    } else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.erase(0, 2);
    }
    uint32_t color = 0;
    try {
        color = static_cast<uint32_t>(std::stoul(digits, nullptr, 16));
    } catch (...) {
        return 0;
    }
    return digits.size() <= 6 ? (0xFF000000u | color) : color;
}

// The "fade='N'" of an image description (0 transparent to 255 opaque); opaque without one.
int imageFade(const std::string& description) {
    const std::optional<std::string> fade = imageDescriptionValue(description, "fade");
    return fade ? std::clamp(std::atoi(fade->c_str()), 0, 255) : 255;
}

void blockedSync(QObject& object, const std::function<void()>& f) {
    const bool was = object.blockSignals(true);
    f();
    object.blockSignals(was);
}

} // namespace

// A caption such as "PrtSc" stays readable on a small key.
QFont fittedFont(QFont font, const QString& text, int width) {
    const qreal full = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize();
    const bool points = font.pointSizeF() > 0;
    for (qreal size = full; size >= full * 0.7; size -= full * 0.05) {
        if (points) {
            font.setPointSizeF(size);
        } else {
            font.setPixelSize(static_cast<int>(size));
        }
        if (QFontMetrics(font).horizontalAdvance(text) <= width) {
            break;
        }
    }
    return font;
}

QColor argbColor(uint32_t argb) {
    return QColor::fromRgba(argb);
}

QString toQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void ControlView::syncAll() {
    for (const auto p : {ui::Property::Visible, ui::Property::Enabled, ui::Property::Text,
                         ui::Property::ToolTip, ui::Property::Font, ui::Property::Selected,
                         ui::Property::Value, ui::Property::Items, ui::Property::EditState}) {
        sync(p);
    }
}

void ControlView::syncCommon(ui::Property property, QWidget& widget) {
    const ui::Control* c = control();
    if (!c) {
        return;
    }
    if (property == ui::Property::ToolTip) {
        widget.setToolTip(toQString(c->toolTip()));
    } else if (property == ui::Property::Font) {
        widget.setFont(context().fontFor(*c));
    }
}

void ControlView::tellFocus(bool gained) const {
    if (ui::Control* c = control()) {
        c->event(ui::UiEvent::of(gained ? ui::EventType::SetFocus : ui::EventType::KillFocus));
    }
}

// --- SkinWidget ---------------------------------------------------------------------------

SkinWidget::SkinWidget(ui::Control& control, RenderContext& context, QWidget* parent)
    : QWidget(parent), ControlView(control, context) {
    // Passive texts let the pointer through to what lies below (list rows, the caption).
    const bool passive = (control.className() == "Label" || control.className() == "Text") &&
                         dynamic_cast<ui::ListRow*>(&control) == nullptr;
    setAttribute(Qt::WA_TransparentForMouseEvents, passive);
}

void SkinWidget::sync(ui::Property property) {
    ui::Control* c = control();
    if (!c) {
        return;
    }
    // No repaint here: the renderer gathers those of a whole model change.
    switch (property) {
    case ui::Property::Text:
        text_ = toQString(c->text());
        captionWidth_ = -1;
        break;
    default:
        syncCommon(property, *this);
        break;
    }
}

void SkinWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        captionWidth_ = -1;
    }
    QWidget::changeEvent(event);
}

const QFont& SkinWidget::captionFont(int width) {
    if (width != captionWidth_) {
        captionFont_ = fittedFont(font(), text_, width);
        captionWidth_ = width;
    }
    return captionFont_;
}

std::string SkinWidget::stateImageName() const {
    const ui::Control* c = control();
    if (c && !c->enabledInTree() && !c->stateImage("disabledimage").empty()) {
        return "disabledimage";
    }
    return "normalimage";
}

QColor SkinWidget::currentTextColor() const {
    const ui::Control* c = control();
    if (!c) {
        return kText;
    }
    if (!c->enabledInTree()) {
        const uint32_t disabled = colorAttribute(*c, "disabledtextcolor");
        return disabled ? argbColor(disabled) : kDisabledText;
    }
    if (hovered_) {
        if (const uint32_t hot = colorAttribute(*c, "hottextcolor")) {
            return argbColor(hot);
        }
    }
    return c->textColor() ? argbColor(c->textColor()) : kText;
}

bool SkinWidget::highlighted() const {
    const auto* row = dynamic_cast<const ui::ListRow*>(control());
    return row && row->rowSelected();
}

int SkinWidget::defaultAlignment() const {
    return Qt::AlignLeft | Qt::AlignVCenter;
}

void SkinWidget::paintEvent(QPaintEvent* /*event*/) {
    if (control() == nullptr) {
        return;
    }
    QPainter painter(this);
    paintContent(painter);
}

void SkinWidget::paintContent(QPainter& painter) {
    const ui::Control* c = control();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect area = rect();
    if (c->bkColor()) {
        painter.fillRect(area, argbColor(c->bkColor()));
    }
    if (!c->bkImage().empty()) {
        context().drawImage(painter, area, c->bkImage());
    }
    // A frame of its own keeps a box apart from the page behind it; its children stay inside
    // the control's inset, so the frame shows.
    if (const uint32_t border = colorAttribute(*c, "bordercolor")) {
        painter.setPen(QPen(argbColor(border), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
    }
    if (highlighted() && dynamic_cast<const ui::ListRow*>(c)) {
        const uint32_t selectedBk = colorAttribute(*c, "selectedbkcolor");
        painter.fillRect(area, selectedBk ? argbColor(selectedBk) : QColor(0, 0x99, 0xFF, 0x40));
    } else if (hovered_ && dynamic_cast<const ui::ListRow*>(c)) {
        painter.fillRect(area, QColor(255, 255, 255, 0x14));
    }
    const std::string stateName = stateImageName();
    std::string state = c->stateImage(stateName);
    if (state.empty() && stateName != "normalimage") {
        state = c->stateImage("normalimage");
    }
    if (!state.empty()) {
        context().drawImage(painter, area, state);
    }
    if (!c->foreImage().empty()) {
        painter.setOpacity(imageFade(c->foreImage()) / 255.0);
        context().drawImage(painter, area, c->foreImage());
        painter.setOpacity(1.0);
    }
    if (!text_.isEmpty()) {
        painter.setPen(currentTextColor());
        const QRect textArea = area.marginsRemoved(textPadding(*c));
        int flags = alignmentFrom(*c, defaultAlignment());
        const bool wraps = c->className() == "Text";
        if (wraps) {
            flags |= Qt::TextWordWrap;
        }
        caption_.draw(painter, textArea, flags, wraps ? font() : captionFont(textArea.width()),
                      text_);
    }
}

namespace {

// The layout that arranges a list row's content fills the row; it cannot let the pointer
// through as a text does, since the fields and buttons in it must keep theirs.
bool isRowContent(const ui::Control& c) {
    return (c.className() == "HorizontalLayout" || c.className() == "VerticalLayout") &&
           c.parent() != nullptr && dynamic_cast<const ui::ListRow*>(c.parent()) != nullptr;
}

bool isPress(ui::EventType type) {
    return type == ui::EventType::ButtonDown || type == ui::EventType::ButtonUp ||
           type == ui::EventType::Click || type == ui::EventType::DoubleClick ||
           type == ui::EventType::ContextMenu;
}

} // namespace

void SkinWidget::deliver(ui::EventType type, const QPoint& at) {
    ui::Control* c = control();
    if (c == nullptr) {
        return;
    }
    // A press on a row's content, outside its fields and buttons, is the row's.
    if (isPress(type) && isRowContent(*c)) {
        c = c->parent();
    }
    ui::UiEvent e = ui::UiEvent::of(type);
    e.point = windowPoint(*this, at);
    c->event(e);
}

bool SkinWidget::startCaptionDrag(const QPoint& at) {
    const ui::Control* c = control();
    // Only passive areas move the window: buttons and list rows keep their clicks.
    if (!c || dynamic_cast<const ui::Button*>(c) || dynamic_cast<const ui::ListRow*>(c) ||
        isRowContent(*c)) {
        return false;
    }
    const QPoint inWindow = mapTo(window(), at);
    if (inWindow.y() >= context().captionHeight(*c)) {
        return false;
    }
    QWindow* handle = window()->windowHandle();
    return handle && handle->startSystemMove();
}

void SkinWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    pressed_ = true;
    update();
    deliver(ui::EventType::ButtonDown, event->position().toPoint());
    if (!dynamic_cast<ui::Button*>(control()) && startCaptionDrag(event->position().toPoint())) {
        pressed_ = false;
    }
}

void SkinWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const bool wasPressed = std::exchange(pressed_, false);
    update();
    const QPoint at = event->position().toPoint();
    deliver(ui::EventType::ButtonUp, at);
    if (wasPressed && rect().contains(at)) {
        deliver(ui::EventType::Click, at);
    }
}

void SkinWidget::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_) {
        deliver(ui::EventType::MouseMove, event->position().toPoint());
    }
}

void SkinWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        deliver(ui::EventType::DoubleClick, event->position().toPoint());
    }
}

void SkinWidget::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    deliver(ui::EventType::MouseEnter, event->position().toPoint());
}

void SkinWidget::leaveEvent(QEvent* /*event*/) {
    hovered_ = false;
    pressed_ = false;
    update();
    deliver(ui::EventType::MouseLeave, mapFromGlobal(QCursor::pos()));
}

void SkinWidget::wheelEvent(QWheelEvent* event) {
    auto* list = as<ui::List>(control());
    if (!list) {
        event->ignore();
        return;
    }
    // One notch of the wheel (120) moves by a 30-pixel row.
    list->scrollBy(-event->angleDelta().y() / 4);
    event->accept();
}

void SkinWidget::contextMenuEvent(QContextMenuEvent* event) {
    deliver(ui::EventType::ContextMenu, event->pos());
}

// --- SkinSelectPanel -----------------------------------------------------------------------

SkinSelectPanel::SkinSelectPanel(ui::Control& control, RenderContext& context, QWidget* parent)
    : SkinWidget(control, context, parent), band_(new QRubberBand(QRubberBand::Rectangle, this)) {
    band_->hide();
}

void SkinSelectPanel::sync(ui::Property property) {
    SkinWidget::sync(property);
    const auto* panel = as<ui::CSelectPanelUI>(control());
    if (property != ui::Property::Custom || panel == nullptr) {
        return;
    }
    if (!panel->dragging()) {
        band_->hide();
        return;
    }
    const ui::Rect& band = panel->band();
    const QPoint topLeft = mapFrom(window(), QPoint(band.left, band.top));
    band_->setGeometry(QRect(topLeft, QSize(band.width() + 1, band.height() + 1)));
    band_->raise();
    band_->show();
}

void SkinSelectPanel::paintEvent(QPaintEvent* event) {
    if (control() == nullptr) {
        return;
    }
    QPainter painter(this);
    paintContent(painter);
    // Children in their stacking order, so a key's cap lies over its LED.
    for (QObject* child : children()) {
        auto* button = dynamic_cast<SkinButton*>(child);
        if (button == nullptr || !button->paintedByPanel() || !button->isVisible() ||
            !event->rect().intersects(button->geometry())) {
            continue;
        }
        painter.save();
        painter.translate(button->pos());
        painter.setClipRect(button->rect(), Qt::IntersectClip);
        button->paintButton(painter);
        painter.restore();
    }
}

// --- SkinButton ---------------------------------------------------------------------------

SkinButton::SkinButton(ui::Control& control, RenderContext& context, QWidget* parent)
    : SkinWidget(control, context, parent),
      paintedByPanel_(as<ui::CDeviceKeyButtonUI>(&control) != nullptr &&
                      dynamic_cast<SkinSelectPanel*>(parent) != nullptr) {
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void SkinButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        deliver(ui::EventType::Click, rect().center());
        return;
    }
    SkinWidget::keyPressEvent(event);
}

void SkinButton::paintEvent(QPaintEvent* /*event*/) {
    if (paintedByPanel_) {
        return;
    }
    QPainter painter(this);
    paintButton(painter);
}

void SkinButton::paintButton(QPainter& painter) {
    const ui::Control* c = control();
    if (c == nullptr) {
        return;
    }
    paintContent(painter);
    paintLed(painter);
    if (hasFocus() && !hovered() && !pressed()) {
        paintFocusRing(painter);
    }
    if (!c->enabledInTree() || !c->stateImage(stateImageName()).empty()) {
        return;
    }
    // Without a picture for the state the dark look shows it: a light veil on hover and press.
    if (pressed() || hovered() || hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, pressed() ? 0x30 : 0x18));
        painter.drawRoundedRect(rect(), 4, 4);
    }
}

void SkinButton::paintFocusRing(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    QColor ring = kAccent;
    ring.setAlpha(0xA0);
    painter.setPen(QPen(ring, 1.0, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

// A lit LED of a device picture: its light picture (a disc without one) in the LED's colour, as
// strong as its intensity; the key-set mark over the key the key panel shows.
void SkinButton::paintLed(QPainter& painter) {
    const auto* led = as<ui::CDeviceKeyButtonUI>(control());
    if (led == nullptr) {
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (led->lit() && led->ledIntensity() != 0) {
        const uint32_t rgb = led->ledColour();
        const QColor colour(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                            static_cast<int>((rgb >> 16) & 0xFF));
        const QImage light =
            led->lightImage().empty()
                ? QImage()
                : context().tintedImage(led->lightImage(), size(), devicePixelRatioF(), colour);
        painter.setOpacity(led->ledIntensity() / 255.0);
        if (!light.isNull()) {
            painter.drawImage(rect(), light);
        } else {
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            const int inset = std::max(1, std::min(width(), height()) / 8);
            painter.drawEllipse(rect().adjusted(inset, inset, -inset, -inset));
        }
        painter.setOpacity(1.0);
    }
    if (led->keySelected()) {
        context().drawImage(painter, rect(), led->keySetImage());
    }
}

std::string SkinButton::stateImageName() const {
    const ui::Control* c = control();
    if (c && !c->enabledInTree()) {
        return "disabledimage";
    }
    if (pressed()) {
        return "pushedimage";
    }
    // The keyboard focus has a ring of its own: the hot picture of a tab is often its selected
    // one, and a focused tab would look selected beside the one that is.
    if (hovered()) {
        return "hotimage";
    }
    return "normalimage";
}

// --- SkinOption ---------------------------------------------------------------------------

SkinOption::SkinOption(ui::Control& control, RenderContext& context, QWidget* parent)
    : SkinButton(control, context, parent), checkBox_(as<ui::CheckBox>(&control) != nullptr) {}

void SkinOption::sync(ui::Property property) {
    if (property == ui::Property::Selected) {
        if (const auto* option = as<ui::Option>(control())) {
            selected_ = option->selected();
        }
    }
    SkinButton::sync(property);
}

std::string SkinOption::stateImageName() const {
    const ui::Control* c = control();
    if (selected_ && c && !c->stateImage("selectedimage").empty()) {
        return "selectedimage";
    }
    return SkinButton::stateImageName();
}

QColor SkinOption::currentTextColor() const {
    const ui::Control* c = control();
    if (selected_ && c && c->enabledInTree()) {
        const uint32_t selectedColor = colorAttribute(*c, "selectedtextcolor");
        if (selectedColor) {
            return argbColor(selectedColor);
        }
    }
    return SkinButton::currentTextColor();
}

void SkinOption::paintEvent(QPaintEvent* event) {
    SkinButton::paintEvent(event);
    const ui::Control* c = control();
    if (!c || !c->stateImage("selectedimage").empty() || !c->stateImage("normalimage").empty()) {
        return;
    }
    // Without images of its own the state is drawn in the dark look: a box for check boxes,
    // an accent line under selected options.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (checkBox_) {
        const int side = std::min(height() - 4, 14);
        const QRect box(2, (height() - side) / 2, side, side);
        painter.setPen(QPen(selected_ ? kAccent : kDisabledText, 1.5));
        painter.setBrush(selected_ ? kAccent : Qt::transparent);
        painter.drawRoundedRect(box, 3, 3);
    } else if (selected_) {
        painter.fillRect(QRect(4, height() - 3, width() - 8, 3), kAccent);
    }
}

// --- SkinEdit -----------------------------------------------------------------------------

SkinEdit::SkinEdit(ui::Control& control, RenderContext& context, QWidget* parent)
    : QLineEdit(parent), ControlView(control, context) {
    QObject::connect(this, &QLineEdit::textEdited, this, [this](const QString& typed) {
        auto* edit = as<ui::Edit>(this->control());
        if (!edit) {
            return;
        }
        const QByteArray utf8 = typed.toUtf8();
        if (!edit->userInput(
                std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())))) {
            sync(ui::Property::Text); // refused: show the model's text again
        }
    });
    QObject::connect(this, &QLineEdit::returnPressed, this, [this] {
        if (ui::Control* c = this->control()) {
            ui::UiEvent e = ui::UiEvent::of(ui::EventType::KeyDown);
            e.key = ui::kKeyReturn;
            c->event(e);
        }
    });
}

void SkinEdit::sync(ui::Property property) {
    auto* edit = as<ui::Edit>(control());
    if (!edit) {
        return;
    }
    switch (property) {
    case ui::Property::Text: {
        const QString shown = toQString(edit->text());
        if (shown != text()) {
            const int cursor = cursorPosition();
            setText(shown);
            setCursorPosition(std::min(cursor, static_cast<int>(shown.size())));
        }
        break;
    }
    case ui::Property::EditState:
        setReadOnly(edit->readOnly());
        setMaxLength(static_cast<int>(std::min<size_t>(edit->maxLength(), 32767)));
        setPlaceholderText(toQString(edit->promptText()));
        break;
    default:
        syncCommon(property, *this);
        break;
    }
}

void SkinEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    tellFocus(true);
}

void SkinEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    tellFocus(false);
}

// --- SkinRichEdit -------------------------------------------------------------------------

SkinRichEdit::SkinRichEdit(ui::Control& control, RenderContext& context, QWidget* parent)
    : QPlainTextEdit(parent), ControlView(control, context) {
    QObject::connect(this, &QPlainTextEdit::textChanged, this, [this] {
        auto* edit = as<ui::Edit>(this->control());
        if (!edit || syncing_) {
            return;
        }
        const QByteArray utf8 = toPlainText().toUtf8();
        if (!edit->userInput(
                std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())))) {
            sync(ui::Property::Text);
        }
    });
}

void SkinRichEdit::sync(ui::Property property) {
    auto* edit = as<ui::Edit>(control());
    if (!edit) {
        return;
    }
    switch (property) {
    case ui::Property::Text: {
        const QString shown = toQString(edit->text());
        if (shown != toPlainText()) {
            syncing_ = true;
            setPlainText(shown);
            syncing_ = false;
        }
        break;
    }
    case ui::Property::EditState:
        setReadOnly(edit->readOnly());
        setPlaceholderText(toQString(edit->promptText()));
        break;
    default:
        syncCommon(property, *this);
        break;
    }
}

void SkinRichEdit::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    tellFocus(true);
}

void SkinRichEdit::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    tellFocus(false);
}

// --- SkinCombo ----------------------------------------------------------------------------

SkinCombo::SkinCombo(ui::Control& control, RenderContext& context, QWidget* parent)
    : QComboBox(parent), ControlView(control, context) {
    QObject::connect(this, &QComboBox::activated, this, [this](int index) {
        auto* combo = as<ui::Combo>(this->control());
        if (combo && !combo->userSelect(index)) {
            sync(ui::Property::Selected);
        }
    });
}

void SkinCombo::rebuildItems() {
    auto* combo = as<ui::Combo>(control());
    if (!combo) {
        return;
    }
    blockedSync(*this, [&] {
        clear();
        for (size_t i = 0; i < combo->count(); ++i) {
            addItem(toQString(combo->itemText(i)));
        }
        if (auto* list = qobject_cast<QListView*>(view())) {
            for (size_t i = 0; i < combo->count(); ++i) {
                list->setRowHidden(static_cast<int>(i), !combo->item(i)->visible);
            }
        }
        setCurrentIndex(combo->selectedIndex());
    });
}

void SkinCombo::sync(ui::Property property) {
    auto* combo = as<ui::Combo>(control());
    if (!combo) {
        return;
    }
    switch (property) {
    case ui::Property::Items:
    case ui::Property::Text: // item texts follow the language
        rebuildItems();
        break;
    case ui::Property::Selected:
        blockedSync(*this, [&] { setCurrentIndex(combo->selectedIndex()); });
        break;
    default:
        syncCommon(property, *this);
        break;
    }
}

// --- SkinSlider ---------------------------------------------------------------------------

SkinSlider::SkinSlider(ui::Control& control, RenderContext& context, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), ControlView(control, context) {
    QObject::connect(this, &QSlider::sliderMoved, this, [this](int value) {
        if (auto* slider = as<ui::Slider>(this->control())) {
            slider->userMoveTo(value);
        }
    });
    QObject::connect(this, &QSlider::sliderReleased, this, [this] {
        if (auto* slider = as<ui::Slider>(this->control())) {
            slider->userSetValue(value());
        }
    });
    // Keys and page clicks change the value without a drag.
    QObject::connect(this, &QSlider::valueChanged, this, [this](int value) {
        auto* slider = as<ui::Slider>(this->control());
        if (slider && !isSliderDown() && slider->value() != value) {
            slider->userSetValue(value);
        }
    });
}

void SkinSlider::sync(ui::Property property) {
    auto* slider = as<ui::Slider>(control());
    if (!slider) {
        return;
    }
    switch (property) {
    case ui::Property::Value:
        blockedSync(*this, [&] {
            setRange(slider->minValue(), slider->maxValue());
            setSingleStep(slider->step());
            setPageStep(std::max(slider->step(), (slider->maxValue() - slider->minValue()) / 10));
            if (!isSliderDown()) {
                setValue(slider->value());
            }
        });
        break;
    default:
        syncCommon(property, *this);
        break;
    }
}

// --- SkinProgress -------------------------------------------------------------------------

SkinProgress::SkinProgress(ui::Control& control, RenderContext& context, QWidget* parent)
    : QProgressBar(parent), ControlView(control, context) {
    setTextVisible(false);
    // The skin's colours for the groove and the value part, and the side the value grows
    // from (a battery's used part grows from the right).
    if (control.bkColor() != 0) {
        groove_ = argbColor(control.bkColor());
    }
    if (const uint32_t fore = colorAttribute(control, "forecolor")) {
        value_ = argbColor(fore);
    }
    setInvertedAppearance(control.attribute("inverted") == "true");
}

void SkinProgress::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF box = rect();
    const qreal radius = std::min<qreal>(3, box.height() / 2);
    painter.setBrush(groove_);
    painter.drawRoundedRect(box, radius, radius);
    const qreal span = static_cast<qreal>(maximum()) - minimum();
    // A reset bar's value lies below its minimum: nothing is filled.
    if (span <= 0 || value() <= minimum()) {
        return;
    }
    const qreal part = box.width() * std::min<qreal>(1, (value() - minimum()) / span);
    const QRectF filled(invertedAppearance() ? box.right() - part : box.left(), box.top(), part,
                        box.height());
    painter.setBrush(value_);
    painter.drawRoundedRect(filled, radius, radius);
}

void SkinProgress::sync(ui::Property property) {
    auto* progress = as<ui::Progress>(control());
    if (!progress) {
        return;
    }
    if (property == ui::Property::Value) {
        setRange(progress->minValue(), progress->maxValue());
        setValue(progress->value());
    } else {
        syncCommon(property, *this);
    }
}

// --- SkinPalette --------------------------------------------------------------------------

SkinPalette::SkinPalette(ui::Control& control, RenderContext& context, QWidget* parent)
    : QWidget(parent), ControlView(control, context) {
    setCursor(Qt::CrossCursor);
}

void SkinPalette::sync(ui::Property property) {
    if (property == ui::Property::Value) {
        if (const auto* palette = as<ui::ColorPalette>(control())) {
            color_ = argbColor(palette->color());
        }
        update();
    } else {
        syncCommon(property, *this);
    }
}

QColor SkinPalette::colorAt(const QPoint& at) const {
    const double w = std::max(1, width() - 1);
    const double h = std::max(1, height() - 1);
    const double hue = std::clamp(at.x() / w, 0.0, 1.0);
    const double y = std::clamp(at.y() / h, 0.0, 1.0);
    // Top half: from white to the pure hue; bottom half: from the hue to black.
    const double saturation = y < 0.5 ? y * 2 : 1.0;
    const double value = y < 0.5 ? 1.0 : 1.0 - (y - 0.5) * 2;
    return QColor::fromHsvF(static_cast<float>(std::min(hue, 0.9999)),
                            static_cast<float>(saturation), static_cast<float>(value));
}

void SkinPalette::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QImage field(size(), QImage::Format_RGB32);
    for (int y = 0; y < field.height(); ++y) {
        for (int x = 0; x < field.width(); ++x) {
            field.setPixel(x, y, colorAt({x, y}).rgb());
        }
    }
    painter.drawImage(0, 0, field);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(color_);
    painter.drawRect(width() - 22, 4, 18, 18);
}

void SkinPalette::pick(const QPoint& at) {
    if (auto* palette = as<ui::ColorPalette>(control())) {
        palette->userPickColor(colorAt(at).rgba());
    }
}

void SkinPalette::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pick(event->position().toPoint());
    }
}

void SkinPalette::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        pick(event->position().toPoint());
    }
}

// --- factory ------------------------------------------------------------------------------

QWidget* createWidgetFor(ui::Control& control, RenderContext& context, QWidget* parent,
                         ControlView*& view) {
    if (QWidget* custom = createCustomWidgetFor(control, context, parent, view)) {
        return custom;
    }
    ui::Control* c = &control;
    if (as<ui::RichEdit>(c)) {
        return makeView<SkinRichEdit>(control, context, parent, view);
    }
    if (as<ui::Edit>(c)) {
        return makeView<SkinEdit>(control, context, parent, view);
    }
    if (as<ui::Combo>(c)) {
        return makeView<SkinCombo>(control, context, parent, view);
    }
    if (as<ui::Slider>(c)) {
        return makeView<SkinSlider>(control, context, parent, view);
    }
    if (as<ui::Progress>(c) && c->className() == "Progress") {
        return makeView<SkinProgress>(control, context, parent, view);
    }
    if (as<ui::ColorPalette>(c)) {
        return makeView<SkinPalette>(control, context, parent, view);
    }
    if (as<ui::Option>(c)) {
        return makeView<SkinOption>(control, context, parent, view);
    }
    if (as<ui::Button>(c)) {
        return makeView<SkinButton>(control, context, parent, view);
    }
    if (as<ui::CSelectPanelUI>(c)) {
        return makeView<SkinSelectPanel>(control, context, parent, view);
    }
    // Containers, layouts, list rows, labels and custom controls: drawn from their properties.
    return makeView<SkinWidget>(control, context, parent, view);
}

} // namespace morva::qt
