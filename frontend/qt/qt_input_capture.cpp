#include "frontend/qt/qt_input_capture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <optional>

namespace morva::qt {
namespace {

// X11 and Wayland number keys from 8: the first eight codes are reserved.
constexpr quint32 kNativeKeyCodeOffset = 8;

std::optional<app::PointerButton> pointerButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return app::PointerButton::Left;
    case Qt::RightButton:
        return app::PointerButton::Right;
    case Qt::MiddleButton:
        return app::PointerButton::Middle;
    case Qt::BackButton:
        return app::PointerButton::Back;
    case Qt::ForwardButton:
        return app::PointerButton::Forward;
    default:
        return std::nullopt;
    }
}

} // namespace

uint32_t QtInputCapture::linuxKeyCode(quint32 nativeScanCode) {
    return nativeScanCode >= kNativeKeyCodeOffset ? nativeScanCode - kNativeKeyCodeOffset : 0;
}

bool QtInputCapture::start(app::InputSink& sink) {
    stop();
    QWidget* grabber = grabber_ ? grabber_() : nullptr;
    if (grabber == nullptr) {
        return false;
    }
    grabbing_ = grabber;
    grabber->grabKeyboard();
    sink_ = &sink;
    qApp->installEventFilter(this);
    return true;
}

void QtInputCapture::stop() {
    if (sink_ == nullptr) {
        return;
    }
    qApp->removeEventFilter(this);
    sink_ = nullptr;
    if (grabbing_) {
        grabbing_->releaseKeyboard();
    }
    grabbing_ = nullptr;
}

bool QtInputCapture::onKey(const QEvent& event) {
    const auto& key = static_cast<const QKeyEvent&>(event);
    const bool press = event.type() == QEvent::KeyPress;
    // A held key repeats its press, which the recording drops; a repeated release would end the
    // hold it stands for.
    if (!press && key.isAutoRepeat()) {
        return true;
    }
    return sink_->keyEvent({linuxKeyCode(key.nativeScanCode()), press});
}

void QtInputCapture::onButton(const QEvent& event) {
    const auto& mouse = static_cast<const QMouseEvent&>(event);
    if (const auto button = pointerButton(mouse.button())) {
        const QPoint at = mouse.globalPosition().toPoint();
        sink_->buttonEvent({*button, event.type() == QEvent::MouseButtonPress, {at.x(), at.y()}});
    }
}

bool QtInputCapture::eventFilter(QObject* watched, QEvent* event) {
    // Every input event reaches a top-level window first and is then passed on to a widget: it is
    // taken there, once.
    if (sink_ == nullptr || !watched->isWindowType()) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return onKey(*event);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        onButton(*event);
        return false;
    default:
        return false;
    }
}

} // namespace morva::qt
