#include "frontend/qt/qt_renderer.h"

#include "base/trace.h"
#include "base/window_messages.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/layout.h"
#include "ui/toolkit/menu.h"
#include "ui/toolkit/window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QSizeGrip>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>

namespace morva::qt {

// The top-level widget of a window: reports closing, activation and the pointer to the model.
class SkinWindowWidget : public QWidget {
public:
    // A window with an owner (a message box, the settings window) stays above its owner, even
    // when the owner is brought forward after it showed.
    SkinWindowWidget(ui::Window& window, ui::Toolkit& toolkit, QWidget* ownerTop)
        : QWidget(ownerTop,
                  (ownerTop != nullptr ? Qt::Dialog : Qt::Window) | Qt::FramelessWindowHint),
          window_(&window), toolkit_(toolkit) {
        setAttribute(Qt::WA_DeleteOnClose, false);
        setObjectName(toQString(window.className()));
        setAutoFillBackground(true);
    }

    // The model's window is gone; the widget only waits for its deletion.
    void detach() { window_ = nullptr; }

    // A resizable window keeps at least its minimum size and has a grip in its lower right
    // corner, since it has no frame for the desktop to resize it by.
    void applySizeLimits() {
        if (!window_ || !window_->resizable()) {
            return;
        }
        const ui::Size minimum = window_->scaledMinimumSize();
        setMinimumSize(std::max(minimum.cx, 1), std::max(minimum.cy, 1));
        if (!grip_) {
            grip_ = new QSizeGrip(this);
            grip_->setObjectName(QStringLiteral("size_grip"));
        }
        placeGrip();
    }

    // Children are added over the grip as pages are built; it goes back on top.
    void placeGrip() {
        if (grip_) {
            const QSize hint = grip_->sizeHint();
            grip_->setGeometry(width() - hint.width(), height() - hint.height(), hint.width(),
                               hint.height());
            grip_->raise();
        }
    }

    // Runs on the loop, only if the window still exists then: a handler may destroy it.
    void toWindow(std::function<void(ui::Window&)> f) {
        if (!window_) {
            return;
        }
        toolkit_.loop().post([&toolkit = toolkit_, w = window_, fn = std::move(f)] {
            const auto& open = toolkit.windows();
            if (std::find(open.begin(), open.end(), w) != open.end()) {
                fn(*w);
            }
        });
    }

    bool syncing = false;

protected:
    void closeEvent(QCloseEvent* event) override {
        if (syncing) {
            event->accept();
            return;
        }
        // The model decides: unanswered, the window closes with 0.
        event->ignore();
        toWindow([](ui::Window& w) {
            if (w.sendMessage(kMsgClose) == 0) {
                w.close(0);
            }
        });
    }
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::ActivationChange) {
            const int64_t active = isActiveWindow() ? 1 : 0;
            toWindow([active](ui::Window& w) { w.sendMessage(kMsgActivate, active); });
        }
        QWidget::changeEvent(event);
    }
    void enterEvent(QEnterEvent* event) override {
        toWindow([](ui::Window& w) { w.sendMessage(kMsgMouseHover); });
        QWidget::enterEvent(event);
    }
    void leaveEvent(QEvent* event) override {
        toWindow([](ui::Window& w) { w.sendMessage(kMsgMouseLeave); });
        QWidget::leaveEvent(event);
    }
    // A size the desktop or the user gave the window becomes the model's, so the content is laid
    // out for what is shown instead of being cut off.
    void resizeEvent(QResizeEvent* event) override {
        placeGrip();
        if (!syncing && !isMinimized() && window_) {
            const ui::Size shown{width(), height()};
            toWindow([shown](ui::Window& w) {
                if (w.scaledSize() != shown) {
                    w.resize(w.dpiScale().unscale(shown));
                }
            });
        }
        QWidget::resizeEvent(event);
    }
    void moveEvent(QMoveEvent* event) override {
        if (!syncing && !isMinimized()) {
            const ui::Point at{pos().x(), pos().y()};
            toWindow([at](ui::Window& w) {
                if (w.position() != at) {
                    w.move(at);
                }
            });
        }
        QWidget::moveEvent(event);
    }

private:
    ui::Window* window_;
    ui::Toolkit& toolkit_;
    QSizeGrip* grip_ = nullptr;
};

QtRenderer::QtRenderer(ui::Toolkit& toolkit)
    : toolkit_(toolkit), context_(std::make_unique<QObject>()) {
    toolkit_.addObserver(this);
    for (ui::Window* window : toolkit_.windows()) {
        windowAdded(*window);
    }
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QObject::connect(screen, &QScreen::geometryChanged, context_.get(), [this] {
            for (ui::Window* window : toolkit_.windows()) {
                window->postMessage(kMsgDisplayChange);
            }
        });
    }
}

QtRenderer::~QtRenderer() {
    toolkit_.removeObserver(this);
    delete qmenu_.data();
    delete tray_;
    for (auto& [window, view] : views_) {
        delete view.top.data();
    }
    // Widgets of removed windows and controls wait for deletion; they must not outlive the
    // renderer they draw with.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtRenderer::setFontFamilyAlias(std::string face, QString family) {
    fontAliases_[toLowerAscii(face)] = std::move(family);
}

QWidget* QtRenderer::widgetOf(const ui::Window& window) const {
    const auto found = views_.find(&window);
    return found == views_.end() ? nullptr : found->second.top.data();
}

QWidget* QtRenderer::widgetOf(const ui::Control& control) const {
    const auto found = entries_.find(&control);
    return found == entries_.end() ? nullptr : found->second.widget;
}

QtRenderer::View* QtRenderer::viewOf(const ui::Window& window) {
    const auto found = views_.find(&window);
    return found == views_.end() ? nullptr : &found->second;
}

bool QtRenderer::trayAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

// --- windows ------------------------------------------------------------------------------

void QtRenderer::windowAdded(ui::Window& window) {
    views_.try_emplace(&window);
    if (window.created()) {
        createTop(window);
    }
}

void QtRenderer::windowRemoved(ui::Window& window) {
    if (window.root()) {
        forgetSubtree(*window.root());
    }
    const auto found = views_.find(&window);
    if (found == views_.end()) {
        return;
    }
    if (auto* top = static_cast<SkinWindowWidget*>(found->second.top.data())) {
        top->detach();
        top->syncing = true;
        top->hide();
        top->deleteLater();
    }
    views_.erase(found);
}

void QtRenderer::createTop(ui::Window& window) {
    View* view = viewOf(window);
    if (!view || view->top) {
        return;
    }
    const View* ownerView = window.owner() != nullptr ? viewOf(*window.owner()) : nullptr;
    auto* top = new SkinWindowWidget(window, toolkit_, ownerView ? ownerView->top.data() : nullptr);
    view->top = top;
    QPalette palette = view->top->palette();
    palette.setColor(QPalette::Window, QColor(0x16, 0x18, 0x1D));
    view->top->setPalette(palette);
    view->top->setWindowTitle(toQString(window.titleText()));
    const ui::Size size = window.scaledSize();
    top->applySizeLimits();
    view->top->resize(std::max(size.cx, 1), std::max(size.cy, 1));
    view->top->move(window.position().x, window.position().y);
    if (window.root()) {
        createWidgets(window, *window.root());
    }
}

void QtRenderer::windowChanged(ui::Window& window, ui::WindowChange change) {
    View* view = viewOf(window);
    if (!view) {
        return;
    }
    if (change == ui::WindowChange::Created) {
        createTop(window);
        scheduleLayout(window);
        return;
    }
    auto* top = static_cast<SkinWindowWidget*>(view->top.data());
    if (!top) {
        return;
    }
    top->syncing = true;
    switch (change) {
    case ui::WindowChange::Shown:
        layoutNow(window);
        // A window shown again comes back where it was, not where the desktop would place it.
        if (top->pos() != QPoint(window.position().x, window.position().y)) {
            top->move(window.position().x, window.position().y);
        }
        if (top->isMinimized()) {
            top->showNormal();
        } else {
            top->show();
        }
        break;
    case ui::WindowChange::Hidden:
    case ui::WindowChange::Closed:
        top->hide();
        break;
    case ui::WindowChange::Title:
        top->setWindowTitle(toQString(window.titleText()));
        break;
    case ui::WindowChange::Geometry:
    case ui::WindowChange::Dpi: {
        top->applySizeLimits();
        const ui::Size size = window.scaledSize();
        if (top->size() != QSize(size.cx, size.cy)) {
            top->resize(std::max(size.cx, 1), std::max(size.cy, 1));
        }
        if (top->pos() != QPoint(window.position().x, window.position().y)) {
            top->move(window.position().x, window.position().y);
        }
        if (change == ui::WindowChange::Dpi) {
            refreshAll();
        }
        scheduleLayout(window);
        break;
    }
    case ui::WindowChange::Created:
        break;
    }
    top->syncing = false;
}

// --- controls -----------------------------------------------------------------------------

void QtRenderer::createWidgets(ui::Window& window, ui::Control& control) {
    View* view = viewOf(window);
    if (!view || !view->top || entries_.contains(&control)) {
        return;
    }
    // A control gets its widget when it is first shown, itself and every container around it:
    // the pages and panels nobody opens cost no widgets.
    if (!control.visible()) {
        return;
    }
    QWidget* parentWidget = view->top.data();
    if (control.parent() != nullptr) {
        parentWidget = widgetOf(*control.parent());
        if (parentWidget == nullptr) {
            return;
        }
    }
    Entry entry;
    entry.widget = createWidgetFor(control, *this, parentWidget, entry.view);
    entry.widget->setObjectName(toQString(control.name()));
    entries_[&control] = entry;
    entry.view->syncAll();
    entry.widget->setEnabled(control.enabled());
    entry.widget->setVisible(control.visible());
    if (const ui::Container* container = control.asContainer()) {
        for (const auto& child : container->children()) {
            createWidgets(window, *child);
        }
    }
}

void QtRenderer::restackChildren(const ui::Control& control) {
    if (const ui::Container* container = control.asContainer()) {
        for (const auto& child : container->children()) {
            if (QWidget* widget = widgetOf(*child)) {
                widget->raise();
            }
        }
    }
}

void QtRenderer::createShownDescendants(ui::Window& window, const ui::Control& control) {
    const ui::Container* container = control.asContainer();
    if (container == nullptr) {
        return;
    }
    bool created = false;
    for (const auto& child : container->children()) {
        if (!child->visible()) {
            continue;
        }
        if (widgetOf(*child) == nullptr) {
            createWidgets(window, *child);
            created = true;
        } else {
            createShownDescendants(window, *child);
        }
    }
    if (created) {
        restackChildren(control);
    }
}

void QtRenderer::controlAdded(ui::Window& window, ui::Control& control) {
    if (!control.visibleInTree()) {
        return;
    }
    createWidgets(window, control);
    if (control.parent()) {
        restackChildren(*control.parent());
    }
    scheduleLayout(window);
}

void QtRenderer::forgetSubtree(ui::Control& control) {
    entries_.erase(&control);
    if (const ui::Container* container = control.asContainer()) {
        container->visitDescendants([this](ui::Control& c) {
            entries_.erase(&c);
            return true;
        });
    }
}

void QtRenderer::controlRemoving(ui::Window& window, ui::Control& control) {
    QWidget* widget = widgetOf(control);
    forgetSubtree(control);
    if (widget) {
        // Its children go with it; the model's controls are not touched any more.
        widget->hide();
        widget->setParent(nullptr);
        widget->deleteLater();
    }
    scheduleLayout(window);
}

void QtRenderer::controlChanged(ui::Window& window, ui::Control& control, ui::Property p) {
    const auto found = entries_.find(&control);
    if (found == entries_.end()) {
        if (p == ui::Property::Visible && control.visible()) {
            controlAdded(window, control);
        }
        return;
    }
    QWidget* widget = found->second.widget;
    switch (p) {
    case ui::Property::Visible:
        if (control.visibleInTree()) {
            createShownDescendants(window, control);
        }
        widget->setVisible(control.visible());
        scheduleLayout(window);
        break;
    case ui::Property::Enabled:
        widget->setEnabled(control.enabled());
        // Children draw their disabled look too.
        if (const ui::Container* container = control.asContainer()) {
            container->visitDescendants([this](ui::Control& c) {
                if (QWidget* w = widgetOf(c)) {
                    w->update();
                }
                return true;
            });
        }
        break;
    case ui::Property::Geometry:
    case ui::Property::Children:
        scheduleLayout(window);
        break;
    case ui::Property::Text:
        // A language change may bring another font table with it.
        found->second.view->sync(ui::Property::Font);
        break;
    default:
        break;
    }
    found->second.view->sync(p);
    repaints_.repaint(*widget);
}

// --- layout -------------------------------------------------------------------------------

void QtRenderer::scheduleLayout(ui::Window& window) {
    View* view = viewOf(window);
    if (!view || view->layoutPending) {
        return;
    }
    view->layoutPending = true;
    QMetaObject::invokeMethod(
        context_.get(),
        [this, w = &window] {
            if (viewOf(*w)) {
                layoutNow(*w);
            }
        },
        Qt::QueuedConnection);
}

void QtRenderer::flushLayout() {
    for (ui::Window* window : toolkit_.windows()) {
        const View* view = viewOf(*window);
        if (view && view->layoutPending) {
            layoutNow(*window);
        }
    }
}

void QtRenderer::layoutNow(ui::Window& window) {
    View* view = viewOf(window);
    if (!view) {
        return;
    }
    view->layoutPending = false;
    if (!window.root()) {
        return;
    }
    ui::layoutWindow(window);
    placeWidgets(*window.root());
    if (auto* top = static_cast<SkinWindowWidget*>(view->top.data())) {
        top->placeGrip();
    }
}

void QtRenderer::placeWidgets(ui::Control& control) {
    if (QWidget* widget = widgetOf(control)) {
        ui::Rect r = control.layoutRect();
        if (const ui::Control* parent = control.parent()) {
            r.left -= parent->layoutRect().left;
            r.right -= parent->layoutRect().left;
            r.top -= parent->layoutRect().top;
            r.bottom -= parent->layoutRect().top;
        }
        const QRect placed(r.left, r.top, std::max(r.width(), 0), std::max(r.height(), 0));
        if (widget->geometry() != placed) {
            widget->setGeometry(placed);
        }
    }
    if (const ui::Container* container = control.asContainer()) {
        for (const auto& child : container->children()) {
            if (child->visible()) {
                placeWidgets(*child);
            }
        }
    }
}

void QtRenderer::refreshAll() {
    for (auto& [control, entry] : entries_) {
        entry.view->syncAll();
        entry.widget->update();
    }
    // Titles are language texts too; the desktop shows them in its task bar.
    for (auto& [window, view] : views_) {
        if (view.top) {
            view.top->setWindowTitle(toQString(window->titleText()));
        }
    }
}

// --- menus and tray -----------------------------------------------------------------------

void QtRenderer::buildMenu(QMenu& into, const std::vector<ui::MenuItem>& items, ui::Menu& menu) {
    for (const ui::MenuItem& item : items) {
        if (!item.visible) {
            continue;
        }
        if (!item.children.empty()) {
            QMenu* sub = into.addMenu(toQString(menu.itemText(item)));
            buildMenu(*sub, item.children, menu);
            continue;
        }
        QAction* action = into.addAction(toQString(menu.itemText(item)));
        action->setObjectName(toQString(item.name));
        action->setEnabled(item.enabled);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
        QObject::connect(action, &QAction::triggered, context_.get(),
                         [this, &menu, name = item.name] {
                             // The menu may be gone by the time the loop gets here.
                             toolkit_.loop().post([this, m = &menu, name] {
                                 if (toolkit_.currentMenu() == m) {
                                     m->choose(name);
                                 }
                             });
                         });
    }
}

void QtRenderer::menuShown(ui::Menu& menu) {
    delete qmenu_.data();
    menu_ = &menu;
    qmenu_ = new QMenu();
    qmenu_->setObjectName(QStringLiteral("popup_menu"));
    buildMenu(*qmenu_, menu.items(), menu);
    QObject::connect(qmenu_.data(), &QMenu::aboutToHide, context_.get(), [this, m = &menu] {
        // A click hides the menu before its item reports the trigger: the close waits until Qt
        // has finished with the click, so a choice is queued first and the close then finds the
        // menu gone. Only a menu nothing was chosen from is closed here.
        QTimer::singleShot(0, context_.get(), [this, m] {
            toolkit_.loop().post([this, m] {
                if (toolkit_.currentMenu() == m) {
                    toolkit_.closeMenu(m);
                }
            });
        });
    });
    qmenu_->popup(QPoint(menu.position().x, menu.position().y));
}

void QtRenderer::menuClosed(ui::Menu& menu) {
    if (menu_ != &menu) {
        return;
    }
    menu_ = nullptr;
    if (QMenu* shown = qmenu_.data()) {
        shown->blockSignals(true);
        shown->hide();
        shown->deleteLater();
    }
    qmenu_ = nullptr;
}

void QtRenderer::menuChanged(ui::Menu& menu) {
    if (menu_ == &menu && qmenu_) {
        qmenu_->clear();
        buildMenu(*qmenu_, menu.items(), menu);
    }
}

void QtRenderer::trayChanged(ui::TrayIcon& tray) {
    if (!tray.exists()) {
        delete tray_;
        tray_ = nullptr;
        return;
    }
    if (!trayAvailable()) {
        return; // the window stays reachable without it (see the window's close handling)
    }
    if (!tray_) {
        tray_ = new QSystemTrayIcon();
        // Large enough for every tray; the desktop scales it down.
        QPixmap icon = image("common/logo.svg", QSize(64, 64), 1.0);
        if (icon.isNull()) {
            icon = QPixmap(32, 32);
            icon.fill(Qt::transparent);
            QPainter painter(&icon);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setBrush(QColor(0x00, 0x99, 0xFF));
            painter.setPen(Qt::NoPen);
            painter.drawEllipse(2, 2, 28, 28);
        }
        tray_->setIcon(QIcon(icon));
        QObject::connect(tray_, &QSystemTrayIcon::activated, context_.get(),
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             int64_t mouse = 0;
                             switch (reason) {
                             case QSystemTrayIcon::Trigger:
                                 mouse = kMsgLButtonUp;
                                 break;
                             case QSystemTrayIcon::DoubleClick:
                                 mouse = kMsgLButtonDblClk;
                                 break;
                             case QSystemTrayIcon::Context:
                                 mouse = kMsgRButtonUp;
                                 break;
                             default:
                                 return;
                             }
                             toolkit_.tray().userAction(mouse);
                         });
    }
    tray_->setToolTip(toQString(tray.toolTip()));
    tray_->setVisible(tray.visible());
}

// --- RenderContext ------------------------------------------------------------------------

QPixmap QtRenderer::image(const std::string& description, QSize size, qreal pixelRatio) {
    return pictures_.picture(description, size, pixelRatio);
}

void QtRenderer::drawImage(QPainter& painter, const QRect& box, const std::string& description) {
    pictures_.draw(painter, box, description);
}

QImage QtRenderer::tintedImage(const std::string& description, QSize size, qreal pixelRatio,
                               const QColor& colour) {
    return pictures_.tinted(description, size, pixelRatio, colour);
}

QFont QtRenderer::fontFor(const ui::Control& control) {
    const ui::FontSpec& spec = toolkit_.fonts().font(control.font());
    QFont font;
    const auto alias = fontAliases_.find(toLowerAscii(spec.face));
    font.setFamilies(
        QStringList{alias != fontAliases_.end() ? alias->second : toQString(spec.face)} +
        fallbackFamilies_);
    const ui::Window* window = control.window();
    const int size = window ? window->dpiScale().scale(spec.size) : spec.size;
    font.setPixelSize(std::max(size, 1));
    font.setBold(spec.bold);
    font.setUnderline(spec.underline);
    font.setItalic(spec.italic);
    return font;
}

int QtRenderer::captionHeight(const ui::Control& control) {
    const ui::Window* window = control.window();
    return window ? window->dpiScale().scale(40) : 40;
}

} // namespace morva::qt
