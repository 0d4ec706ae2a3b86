#include "frontend/qt/qt_desktop.h"

#include "base/trace.h"
#include "frontend/qt/flat_style.h"
#include "frontend/qt/qt_renderer.h"
#include "ui/toolkit/window.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QToolTip>
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
    application.setStyle(new FlatStyle);
    application.setPalette(darkPalette());
    application.setPalette(darkMenuPalette(), "QMenu");
    QToolTip::setPalette(darkPalette());
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
