#pragma once

#include "frontend/qt/qt_widgets.h"
#include "frontend/qt/repaint_gatherer.h"
#include "frontend/qt/skin_pictures.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/ui_observer.h"

#include <QMenu>
#include <QPointer>
#include <QStringList>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
class QSystemTrayIcon;

namespace morva::qt {

class SkinWindowWidget;

// Draws every window of the toolkit with Qt widgets and keeps both in step: the model's changes
// arrive as observer calls and update the widgets; the user's actions on the widgets become the
// model's calls (which send the notifications). It knows control classes, never panels.
class QtRenderer final : public ui::UiObserver, public RenderContext {
public:
    explicit QtRenderer(ui::Toolkit& toolkit);
    ~QtRenderer() override;
    QtRenderer(const QtRenderer&) = delete;
    QtRenderer& operator=(const QtRenderer&) = delete;

    // Skin images are looked up here (relative descriptions); absolute paths are read as given.
    void setSkinFolder(std::filesystem::path folder) { pictures_.setFolder(std::move(folder)); }
    // The family that stands for a font face of the skin ("arial" → the private font's family).
    void setFontFamilyAlias(std::string face, QString family);
    // Families every font falls back to, in order, for characters its own family lacks.
    void setFallbackFamilies(QStringList families) { fallbackFamilies_ = std::move(families); }

    // The top-level widget of a window (null before create()).
    QWidget* widgetOf(const ui::Window& window) const;
    // The widget of a control (null when it has none).
    QWidget* widgetOf(const ui::Control& control) const;
    // Places the widgets of windows whose layout is pending now (it otherwise happens on the
    // next pass of the event loop).
    void flushLayout();
    // Reads fonts and texts of every widget again (after the font table was rebuilt).
    void refreshAll();

    // Whether the desktop shows tray icons; without one the tray icon is not shown.
    bool trayAvailable() const;
    QSystemTrayIcon* trayIcon() const { return tray_; }
    QMenu* shownMenu() const { return qmenu_; }

    // UiObserver
    void windowAdded(ui::Window& window) override;
    void windowRemoved(ui::Window& window) override;
    void windowChanged(ui::Window& window, ui::WindowChange change) override;
    void controlAdded(ui::Window& window, ui::Control& control) override;
    void controlRemoving(ui::Window& window, ui::Control& control) override;
    void controlChanged(ui::Window& window, ui::Control& control, ui::Property p) override;
    void menuShown(ui::Menu& menu) override;
    void menuClosed(ui::Menu& menu) override;
    void menuChanged(ui::Menu& menu) override;
    void trayChanged(ui::TrayIcon& tray) override;

    // RenderContext
    QPixmap image(const std::string& description, QSize size, qreal pixelRatio) override;
    void drawImage(QPainter& painter, const QRect& box, const std::string& description) override;
    QImage tintedImage(const std::string& description, QSize size, qreal pixelRatio,
                       const QColor& colour) override;
    QFont fontFor(const ui::Control& control) override;
    int captionHeight(const ui::Control& control) override;

private:
    struct Entry {
        QWidget* widget = nullptr;
        ControlView* view = nullptr;
    };
    struct View {
        QPointer<QWidget> top;
        bool layoutPending = false;
    };

    View* viewOf(const ui::Window& window);
    void createTop(ui::Window& window);
    void createWidgets(ui::Window& window, ui::Control& control);
    // Widgets for the shown controls under a control that has just been shown again.
    void createShownDescendants(ui::Window& window, const ui::Control& control);
    void restackChildren(const ui::Control& container);
    void scheduleLayout(ui::Window& window);
    void layoutNow(ui::Window& window);
    void placeWidgets(ui::Control& control);
    void forgetSubtree(ui::Control& control);
    void buildMenu(QMenu& into, const std::vector<ui::MenuItem>& items, ui::Menu& menu);

    ui::Toolkit& toolkit_;
    SkinPictures pictures_;
    std::map<std::string, QString, std::less<>> fontAliases_;
    QStringList fallbackFamilies_;
    std::map<const ui::Window*, View> views_;
    std::unordered_map<const ui::Control*, Entry> entries_;
    QPointer<QMenu> qmenu_;
    ui::Menu* menu_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    std::unique_ptr<QObject> context_;
    RepaintGatherer repaints_{*context_};
};

} // namespace morva::qt
