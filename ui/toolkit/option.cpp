#include "ui/toolkit/option.h"

#include "base/text.h"
#include "ui/toolkit/attribute_parse.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/notification.h"
#include "ui/toolkit/window.h"

namespace morva::ui {

void Option::setSelected(bool selected, bool notify) {
    if (selected_ == selected) {
        return;
    }
    selected_ = selected;
    changed(Property::Selected);
    if (selected_ && !group_.empty()) {
        deselectOthersOfGroup();
    }
    if (selected_) {
        showBoundPage();
    }
    if (notify && (selected_ || group_.empty())) {
        sendNotify(notify::kSelectChanged);
    }
}

void Option::setGroup(std::string group) {
    group_ = std::move(group);
    if (selected_ && !group_.empty()) {
        deselectOthersOfGroup();
    }
}

void Option::bindTabLayout(std::string tabLayoutName, int pageIndex) {
    boundTab_ = std::move(tabLayoutName);
    boundPage_ = pageIndex;
    if (selected_) {
        showBoundPage();
    }
}

void Option::showBoundPage() {
    if (window() == nullptr || boundTab_.empty()) {
        return;
    }
    if (auto* tabs = window()->findAs<TabLayout>(boundTab_)) {
        tabs->selectItem(boundPage_);
    }
}

bool Option::activate() {
    if (!Button::activate()) {
        return false;
    }
    setSelected(group_.empty() ? !selected_ : true);
    return true;
}

bool Option::setAttribute(std::string_view name, std::string_view value) {
    const std::string key = toLowerAscii(name);
    if (key == "group") {
        setGroup(std::string(value));
        return true;
    }
    if (key == "bindtabname") {
        bindTabLayout(std::string(value), boundPage_);
        return true;
    }
    if (key == "bindtabindex") {
        if (const auto v = attr::parseInt(value)) {
            bindTabLayout(boundTab_, *v);
        }
        return true;
    }
    if (key == "selected") {
        if (const auto v = attr::parseBool(value)) {
            setSelected(*v, false);
        }
        return true;
    }
    return Button::setAttribute(name, value);
}

void Option::onWindowChanged() {
    // An option brought into a window selected wins over the group's earlier choice.
    if (selected_ && !group_.empty()) {
        deselectOthersOfGroup();
    }
}

void Option::deselectOthersOfGroup() {
    if (window() == nullptr) {
        return;
    }
    window()->visitControls([&](Control& c) {
        auto* other = dynamic_cast<Option*>(&c);
        if (other != nullptr && other != this && other->group_ == group_) {
            other->setSelected(false, false);
        }
        return true;
    });
}

} // namespace morva::ui
