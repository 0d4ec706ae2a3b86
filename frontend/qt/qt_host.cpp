#include "frontend/qt/qt_host.h"

#include "frontend/qt/file_dialog.h"
#include "frontend/qt/qt_renderer.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <QCursor>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>
#include <QWidget>

namespace morva::qt {

QtHost::~QtHost() {
    if (toolkit_) {
        toolkit_->removeObserver(this);
    }
}

void QtHost::attach(ui::Toolkit& toolkit, QtRenderer& renderer) {
    toolkit_ = &toolkit;
    renderer_ = &renderer;
    toolkit.addObserver(this);
}

int QtHost::runModal(ui::Window& window) {
    if (window.closed()) {
        return window.closeCode();
    }
    QWidget* widget = renderer_ ? renderer_->widgetOf(window) : nullptr;
    if (widget) {
        // Modality takes effect on showing.
        widget->hide();
        widget->setWindowModality(Qt::ApplicationModal);
        widget->show();
        widget->raise();
        widget->activateWindow();
    }
    QEventLoop loop;
    loops_[&window] = &loop;
    loop.exec();
    const bool alive = loops_.erase(&window) > 0;
    if (widget && alive) {
        widget->setWindowModality(Qt::NonModal);
    }
    return alive ? window.closeCode() : 0;
}

void QtHost::windowChanged(ui::Window& window, ui::WindowChange change) {
    if (change != ui::WindowChange::Closed) {
        return;
    }
    if (const auto found = loops_.find(&window); found != loops_.end()) {
        found->second->quit();
    }
}

void QtHost::windowRemoved(ui::Window& window) {
    if (const auto found = loops_.find(&window); found != loops_.end()) {
        found->second->quit();
        loops_.erase(found); // runModal must not read the window any more
    }
}

QString qtFileFilter(const std::string& filter) {
    const QString text = QString::fromStdString(filter);
    if (!text.contains('|')) {
        // "Name(*.ext)" reads as it is once a space separates name and pattern.
        QString spaced = text;
        const qsizetype open = spaced.indexOf('(');
        if (open > 0 && spaced[open - 1] != ' ') {
            spaced.insert(open, ' ');
        }
        return spaced;
    }
    // Pairs of "label|pattern", ended by "||".
    QStringList parts = text.split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString label = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        if (pattern.isEmpty()) {
            continue;
        }
        filters << (label.contains(pattern) ? label : label + " " + pattern).trimmed();
    }
    return filters.join(";;");
}

std::optional<std::string> QtHost::fileDialog(ui::Window* owner,
                                              const ui::FileDialogRequest& request) {
    QWidget* parent = owner && renderer_ ? renderer_->widgetOf(*owner) : nullptr;
    QString start = QString::fromStdString(request.folder);
    if (!request.defaultName.empty()) {
        start = start.isEmpty() ? QString::fromStdString(request.defaultName)
                                : start + "/" + QString::fromStdString(request.defaultName);
    }
    if (toolkit_) {
        useQtTranslation(toolkit_->language());
    }
    QFileDialog dialog(parent);
    if (toolkit_) {
        prepareFileDialog(dialog, toolkit_->language(), request.save,
                          QString::fromStdString(request.title));
    } else {
        dialog.setWindowTitle(QString::fromStdString(request.title));
    }
    dialog.setNameFilter(qtFileFilter(request.filter));
    const QFileInfo startAt(start);
    if (startAt.isDir()) {
        dialog.setDirectory(start);
    } else if (!start.isEmpty()) {
        dialog.setDirectory(startAt.absolutePath());
        dialog.selectFile(startAt.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = dialog.selectedFiles().front();
    return chosen.toStdString();
}

int QtHost::messageBox(ui::Window* owner, std::string_view title, std::string_view text,
                       ui::MessageBoxButtons buttons) {
    if (messageBox_ && !inMessageBox_) {
        // The program's box may itself fail to build and ask for the fallback.
        inMessageBox_ = true;
        const int result = messageBox_(owner, title, text, buttons);
        inMessageBox_ = false;
        return result;
    }
    QWidget* parent = owner && renderer_ ? renderer_->widgetOf(*owner) : nullptr;
    const auto qtButtons = buttons == ui::MessageBoxButtons::OkCancel
                               ? QMessageBox::Ok | QMessageBox::Cancel
                               : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(
        QMessageBox::NoIcon, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), qtButtons, parent);
    return box.exec() == QMessageBox::Ok ? 1 : 0;
}

ui::Size QtHost::screenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return {1920, 1080};
    }
    // The model places windows in the same logical pixels as the widgets: the desktop's own
    // scaling is already in them.
    const QSize size = screen->geometry().size();
    return {size.width(), size.height()};
}

ui::Point QtHost::cursorPos() const {
    const QPoint at = QCursor::pos();
    return {at.x(), at.y()};
}

} // namespace morva::qt
