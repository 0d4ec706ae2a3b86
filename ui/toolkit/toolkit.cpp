#include "ui/toolkit/toolkit.h"

#include "ui/toolkit/window.h"

#include <algorithm>

namespace morva::ui {

Toolkit::Toolkit(EventLoop& loop, Host& host) : loop_(loop), host_(host), tray_(*this) {}

Toolkit::~Toolkit() {
    menu_.reset();
}

bool Toolkit::setResourcePath(const std::filesystem::path& skinFolder) {
    return resources_.load(skinFolder);
}

bool Toolkit::loadLanguageFile(std::string_view file) {
    return language_.load(resources_.skinPath(file));
}

void Toolkit::reloadTexts() {
    const auto open = windows_;
    for (Window* window : open) {
        window->reloadTexts();
    }
    if (menu_) {
        for (UiObserver* o : std::vector(observers_)) {
            o->menuChanged(*menu_);
        }
    }
    if (tray_.exists() && LanguageStore::keyOf(tray_.toolTip())) {
        for (UiObserver* o : std::vector(observers_)) {
            o->trayChanged(tray_);
        }
    }
}

Window* Toolkit::findWindow(std::string_view className) const {
    const auto it = std::find_if(windows_.begin(), windows_.end(),
                                 [&](const Window* w) { return w->className() == className; });
    return it == windows_.end() ? nullptr : *it;
}

void Toolkit::setAllDpi(int dpi) {
    for (Window* window : std::vector(windows_)) {
        window->setDpi(dpi);
    }
}

Menu* Toolkit::showMenu(Window& owner, std::string_view resource, Point at) {
    closeMenu();
    std::vector<MenuItem> items;
    if (!Menu::parse(*this, resource, items)) {
        return nullptr;
    }
    menu_ = std::make_unique<Menu>(*this, owner, at, std::move(items));
    for (UiObserver* o : std::vector(observers_)) {
        o->menuShown(*menu_);
    }
    return menu_.get();
}

void Toolkit::closeMenu(Menu* menu) {
    if (!menu_ || (menu != nullptr && menu != menu_.get())) {
        return;
    }
    for (UiObserver* o : std::vector(observers_)) {
        o->menuClosed(*menu_);
    }
    menu_.reset();
}

void Toolkit::addObserver(UiObserver* observer) {
    if (observer != nullptr &&
        std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
        observers_.push_back(observer);
    }
}

void Toolkit::removeObserver(UiObserver* observer) {
    std::erase(observers_, observer);
}

void Toolkit::registerWindow(Window& window) {
    windows_.push_back(&window);
    for (UiObserver* o : std::vector(observers_)) {
        o->windowAdded(window);
    }
}

void Toolkit::unregisterWindow(Window& window) {
    if (menu_ && &menu_->owner() == &window) {
        closeMenu();
    }
    if (tray_.owner() == &window) {
        tray_.remove();
    }
    std::erase(windows_, &window);
    for (UiObserver* o : std::vector(observers_)) {
        o->windowRemoved(window);
    }
}

} // namespace morva::ui
