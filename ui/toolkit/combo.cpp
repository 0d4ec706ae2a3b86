#include "ui/toolkit/combo.h"

#include "ui/toolkit/language_store.h"
#include "ui/toolkit/notification.h"

namespace morva::ui {

const ComboItem* Combo::item(size_t index) const {
    return index < items_.size() ? &items_[index] : nullptr;
}

std::string Combo::itemText(size_t index) const {
    return index < items_.size() ? resolveText(items_[index].text) : std::string();
}

size_t Combo::addItem(ComboItem item) {
    items_.push_back(std::move(item));
    changed(Property::Items);
    return items_.size() - 1;
}

size_t Combo::addItem(std::string text, std::string userData) {
    return addItem(ComboItem{std::move(text), std::move(userData)});
}

bool Combo::removeItem(size_t index) {
    if (index >= items_.size()) {
        return false;
    }
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    const int at = static_cast<int>(index);
    if (selected_ == at) {
        selected_ = -1;
        changed(Property::Selected);
    } else if (selected_ > at) {
        --selected_;
    }
    changed(Property::Items);
    refreshText();
    return true;
}

void Combo::clear() {
    items_.clear();
    if (selected_ != -1) {
        selected_ = -1;
        changed(Property::Selected);
    }
    changed(Property::Items);
    refreshText();
}

bool Combo::setItemText(size_t index, std::string text) {
    if (index >= items_.size()) {
        return false;
    }
    items_[index].text = std::move(text);
    changed(Property::Items);
    if (static_cast<int>(index) == selected_) {
        refreshText();
    }
    return true;
}

bool Combo::setItemUserData(size_t index, std::string userData) {
    if (index >= items_.size()) {
        return false;
    }
    items_[index].userData = std::move(userData);
    changed(Property::Items);
    return true;
}

bool Combo::setItemHeight(size_t index, int height) {
    if (index >= items_.size()) {
        return false;
    }
    items_[index].height = height;
    changed(Property::Items);
    return true;
}

bool Combo::setItemVisible(size_t index, bool visible) {
    if (index >= items_.size()) {
        return false;
    }
    items_[index].visible = visible;
    changed(Property::Items);
    return true;
}

int Combo::findByUserData(std::string_view userData) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].userData == userData) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool Combo::selectItem(int index, bool notify) {
    if (index < -1 || index >= static_cast<int>(items_.size())) {
        return false;
    }
    if (index == selected_) {
        return true;
    }
    const int previous = selected_;
    selected_ = index;
    changed(Property::Selected);
    refreshText();
    if (notify) {
        sendNotify(notify::kItemSelect, selected_, previous);
    }
    return true;
}

bool Combo::userSelect(int index) {
    if (!enabledInTree()) {
        return false;
    }
    return selectItem(index, true);
}

void Combo::onLanguageChanged() {
    Label::onLanguageChanged();
    for (const auto& it : items_) {
        if (LanguageStore::keyOf(it.text)) {
            changed(Property::Items);
            break;
        }
    }
}

void Combo::refreshText() {
    setText(selected_ >= 0 ? items_[static_cast<size_t>(selected_)].text : std::string());
}

} // namespace morva::ui
