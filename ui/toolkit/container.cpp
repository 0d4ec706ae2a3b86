#include "ui/toolkit/container.h"

#include "base/text.h"
#include "ui/toolkit/attribute_parse.h"
#include "ui/toolkit/window.h"

namespace morva::ui {

Control* Container::childAt(size_t index) const {
    return index < children_.size() ? children_[index].get() : nullptr;
}

int Container::indexOf(const Control* child) const {
    for (size_t i = 0; i < children_.size(); ++i) {
        if (children_[i].get() == child) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

Control* Container::add(std::unique_ptr<Control> child) {
    return addAt(std::move(child), children_.size());
}

Control* Container::addAt(std::unique_ptr<Control> child, size_t index) {
    if (!child) {
        return nullptr;
    }
    index = std::min(index, children_.size());
    Control* added = child.get();
    children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(index), std::move(child));
    added->attachTo(this, window());
    onChildAdded(*added, index);
    if (window() != nullptr) {
        window()->controlAdded(*added);
    }
    changed(Property::Children);
    return added;
}

std::unique_ptr<Control> Container::remove(Control* child) {
    const int index = indexOf(child);
    if (index < 0) {
        return nullptr;
    }
    if (window() != nullptr) {
        window()->controlRemoving(*child);
    }
    std::unique_ptr<Control> taken = std::move(children_[static_cast<size_t>(index)]);
    children_.erase(children_.begin() + index);
    taken->attachTo(nullptr, nullptr);
    onChildRemoved(static_cast<size_t>(index));
    changed(Property::Children);
    return taken;
}

void Container::removeAll() {
    while (!children_.empty()) {
        remove(children_.back().get());
    }
}

bool Container::visitDescendants(const std::function<bool(Control&)>& visitor) const {
    for (const auto& child : children_) {
        if (!visitor(*child)) {
            return false;
        }
        if (const Container* inner = child->asContainer()) {
            if (!inner->visitDescendants(visitor)) {
                return false;
            }
        }
    }
    return true;
}

Control* Container::findDescendant(std::string_view name) const {
    if (name.empty()) {
        return nullptr;
    }
    Control* found = nullptr;
    visitDescendants([&](Control& c) {
        if (c.name() == name) {
            found = &c;
            return false;
        }
        return true;
    });
    return found;
}

void Container::setChildPadding(int padding) {
    assign(childPadding_, padding, Property::Geometry);
}

void Container::setInset(const Rect& inset) {
    assign(inset_, inset, Property::Geometry);
}

bool Container::setAttribute(std::string_view name, std::string_view value) {
    const std::string key = toLowerAscii(name);
    if (key == "childpadding") {
        if (const auto v = attr::parseInt(value)) {
            setChildPadding(*v);
        }
        return true;
    }
    if (key == "inset") {
        if (const auto v = attr::parseRect(value)) {
            setInset(*v);
        }
        return true;
    }
    return Control::setAttribute(name, value);
}

void Container::onLanguageChanged() {
    Control::onLanguageChanged();
    for (const auto& child : children_) {
        child->onLanguageChanged();
    }
}

void Container::onWindowChanged() {
    for (const auto& child : children_) {
        child->attachTo(this, window());
    }
}

bool TabLayout::selectItem(int index) {
    if (index < 0 || static_cast<size_t>(index) >= count()) {
        return false;
    }
    for (size_t i = 0; i < count(); ++i) {
        childAt(i)->setVisible(static_cast<int>(i) == index);
    }
    if (selected_ != index) {
        selected_ = index;
        changed(Property::Selected);
    }
    return true;
}

bool TabLayout::selectItem(const Control* page) {
    return selectItem(indexOf(page));
}

bool TabLayout::setAttribute(std::string_view name, std::string_view value) {
    if (equalsIgnoreCase(name, "selectedid")) {
        if (const auto v = attr::parseInt(value)) {
            // Pages may not exist yet while the skin is read: remember the wish.
            if (!selectItem(*v)) {
                selected_ = *v;
            }
        }
        return true;
    }
    return Container::setAttribute(name, value);
}

void TabLayout::onChildAdded(Control& child, size_t index) {
    const int at = static_cast<int>(index);
    const int pagesBefore = static_cast<int>(count()) - 1;
    if (selected_ >= 0 && selected_ < pagesBefore && at <= selected_) {
        ++selected_; // the shown page moved one place on
    } else if (selected_ < 0 && child.visible()) {
        selected_ = at;
    }
    child.setVisible(at == selected_);
}

void TabLayout::onChildRemoved(size_t index) {
    const int at = static_cast<int>(index);
    if (at < selected_) {
        --selected_;
    } else if (at == selected_) {
        selected_ = -1;
        if (count() > 0) {
            selectItem(std::min<int>(at, static_cast<int>(count()) - 1));
        }
    }
}

} // namespace morva::ui
