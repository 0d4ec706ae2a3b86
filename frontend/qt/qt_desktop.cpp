#include "frontend/qt/qt_desktop.h"

#include "base/trace.h"
#include "frontend/qt/qt_renderer.h"
#include "ui/toolkit/window.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

namespace morva::qt {

QString loadPrivateFont(const std::filesystem::path& fontFile) {
    QFile file(QString::fromStdString(fontFile.string()));
    if (!file.open(QIODevice::ReadOnly)) {
        trace("font %s not loaded: %s\n", fontFile.string().c_str(),
              file.errorString().toUtf8().constData());
        return {};
    }
    const int id = QFontDatabase::addApplicationFontFromData(file.readAll());
    const QStringList families =
        id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        trace("font %s not loaded: not a font\n", fontFile.string().c_str());
        return {};
    }
    return families.front();
}

QStringList chineseFallbackFamilies() {
    const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    if (families.isEmpty()) {
        return {};
    }
    return {families.front()};
}

void applyDarkLook(QApplication& application) {
    application.setStyle(QStringLiteral("Fusion"));
    QPalette palette;
    const QColor base(0x1E, 0x22, 0x29);
    const QColor window(0x16, 0x18, 0x1D);
    const QColor text(0xE6, 0xE9, 0xEF);
    const QColor accent(0x00, 0x99, 0xFF);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, base);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Highlight, accent);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x6B, 0x72, 0x80));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x6B, 0x72, 0x80));
    application.setPalette(palette);
    application.setStyleSheet(QStringLiteral(
        "QLineEdit, QPlainTextEdit, QComboBox { background: #1E2229; color: #E6E9EF;"
        " border: 1px solid #2E3440; border-radius: 4px; padding: 1px 6px; }"
        "QLineEdit:focus, QPlainTextEdit:focus, QComboBox:focus { border-color: #0099FF; }"
        "QComboBox QAbstractItemView { background: #1E2229; color: #E6E9EF;"
        " selection-background-color: #0078C8; border: 1px solid #2E3440; }"
        "QSlider::groove:horizontal { height: 4px; background: #2E3440; border-radius: 2px; }"
        "QSlider::sub-page:horizontal { background: #0099FF; border-radius: 2px; }"
        "QSlider::handle:horizontal { width: 12px; margin: -5px 0; border-radius: 6px;"
        " background: #E6E9EF; }"
        "QProgressBar { background: #2E3440; border: none; border-radius: 3px; }"
        "QProgressBar::chunk { background: #0099FF; border-radius: 3px; }"
        "QMenu { background: #1E2229; color: #E6E9EF; border: 1px solid #2E3440; }"
        "QMenu::item:selected { background: #0078C8; }"
        "QToolTip { background: #1E2229; color: #E6E9EF; border: 1px solid #2E3440; }"));
}

PowerMonitor::PowerMonitor(Handler handler) : handler_(std::move(handler)) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        trace("no system bus: no power events\n");
        return;
    }
    connected_ = bus.connect(QStringLiteral("org.freedesktop.login1"),
                             QStringLiteral("/org/freedesktop/login1"),
                             QStringLiteral("org.freedesktop.login1.Manager"),
                             QStringLiteral("PrepareForSleep"), this, SLOT(prepareForSleep(bool)));
}

void PowerMonitor::prepareForSleep(bool start) {
    if (handler_) {
        handler_(start);
    }
}

void QtWindowSystem::minimise(ui::Window& window) {
    if (QWidget* widget = renderer_.widgetOf(window)) {
        widget->showMinimized();
    }
}

void QtWindowSystem::maximise(ui::Window& window) {
    if (QWidget* widget = renderer_.widgetOf(window)) {
        widget->showMaximized();
    }
}

void QtWindowSystem::restore(ui::Window& window) {
    QWidget* widget = renderer_.widgetOf(window);
    if (widget && (widget->isMinimized() || widget->isMaximized())) {
        widget->showNormal();
    }
}

bool QtWindowSystem::minimised(const ui::Window& window) const {
    const QWidget* widget = renderer_.widgetOf(window);
    return widget && widget->isMinimized();
}

bool QtWindowSystem::maximised(const ui::Window& window) const {
    const QWidget* widget = renderer_.widgetOf(window);
    return widget && widget->isMaximized();
}

void QtWindowSystem::bringToFront(ui::Window& window) {
    QWidget* widget = renderer_.widgetOf(window);
    if (!widget) {
        return;
    }
    if (widget->isMinimized()) {
        widget->showNormal();
    }
    widget->show();
    widget->raise();
    widget->activateWindow();
    // Its own windows (a message box waiting for an answer) stay in front of it, with or without
    // a window manager to keep them there.
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() && child->isVisible()) {
            child->raise();
            child->activateWindow();
        }
    }
}

bool QtWindowSystem::trayAvailable() const {
    return renderer_.trayAvailable();
}

ui::Size QtWindowSystem::monitorSize(const ui::Window& window) const {
    const QWidget* widget = renderer_.widgetOf(window);
    const QScreen* screen =
        widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return {0, 0};
    }
    const QSize size = screen->geometry().size();
    return {size.width(), size.height()};
}

} // namespace morva::qt
