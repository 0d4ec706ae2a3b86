#include "frontend/qt/desktop_identity.h"

#include "base/program_identity.h"
#include "base/trace.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <map>
#include <memory>
#include <utility>

namespace morva::qt {
namespace {

// Draws the built-in SVG at each size when it is first asked for, so no SVG icon plug-in is
// needed and start-up draws only what the window system takes: it asks a scalable icon for
// 16 to 128 pixels, and a 256-pixel picture alone would cost three times those together.
class ProgramIconEngine final : public QIconEngine {
public:
    explicit ProgramIconEngine(std::shared_ptr<QSvgRenderer> svg) : svg_(std::move(svg)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode /*mode*/,
               QIcon::State /*state*/) override {
        svg_->render(painter, rect);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        const auto key = std::make_pair(size.width(), size.height());
        if (const auto drawn = drawn_.find(key); drawn != drawn_.end()) {
            return drawn->second;
        }
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        svg_->render(&painter);
        painter.end();
        return drawn_.emplace(key, picture).first->second;
    }

    QIconEngine* clone() const override { return new ProgramIconEngine(*this); }
    QString key() const override { return QStringLiteral("morva-program-icon"); }

private:
    std::shared_ptr<QSvgRenderer> svg_;
    std::map<std::pair<int, int>, QPixmap> drawn_;
};

} // namespace

QIcon programIcon() {
    auto svg = std::make_shared<QSvgRenderer>(QStringLiteral(":/morva/program-icon.svg"));
    if (!svg->isValid()) {
        trace("program icon: the built-in SVG cannot be read\n");
        return {};
    }
    return QIcon(new ProgramIconEngine(std::move(svg)));
}

void identifyToDesktop() {
    // The window class is the application name: the desktop entry's StartupWMClass.
    QGuiApplication::setApplicationName(QStringLiteral("morva"));
    QGuiApplication::setApplicationVersion(QString::fromUtf8(programVersion()));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(desktopId()));
    QGuiApplication::setWindowIcon(programIcon());
}

} // namespace morva::qt
