#include "frontend/qt/desktop_identity.h"

#include "base/program_identity.h"
#include "base/trace.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace morva::qt {
namespace {

// Rendered ahead at the sizes desktops ask for, so no SVG icon plug-in is needed.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

} // namespace

QIcon programIcon() {
    QSvgRenderer svg(QStringLiteral(":/morva/program-icon.svg"));
    if (!svg.isValid()) {
        trace("program icon: the built-in SVG cannot be read\n");
        return {};
    }
    QIcon icon;
    for (const int size : kIconSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void identifyToDesktop() {
    // The window class is the application name: the desktop entry's StartupWMClass.
    QGuiApplication::setApplicationName(QStringLiteral("morva"));
    QGuiApplication::setApplicationVersion(QString::fromUtf8(programVersion()));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(desktopId()));
    QGuiApplication::setWindowIcon(programIcon());
}

} // namespace morva::qt
