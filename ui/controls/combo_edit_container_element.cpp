#include "ui/controls/combo_edit_container_element.h"

#include "base/text.h"
#include "base/trace.h"
#include "ui/toolkit/attribute_parse.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/notification.h"
#include "ui/toolkit/skin_builder.h"
#include "ui/toolkit/window.h"

namespace morva::ui {

Edit* CComboEditContainerElementUI::delayEdit() const {
    return dynamic_cast<Edit*>(delayEdit_.get());
}

void CComboEditContainerElementUI::onWindowChanged() {
    ListContainerElement::onWindowChanged();
    if (!built_ && window() != nullptr) {
        buildContent();
    }
}

void CComboEditContainerElementUI::buildContent() {
    built_ = true;
    auto content = SkinBuilder(window()->toolkit()).build(kContentFile);
    if (!content) {
        trace("combo edit row: no content from %s", std::string(kContentFile).c_str());
        return;
    }
    add(std::move(content));
    const auto keep = [this](std::string_view name) {
        Control* part = findDescendant(name);
        if (part == nullptr) {
            trace("combo edit row: %s has no %s", std::string(kContentFile).c_str(),
                  std::string(name).c_str());
            return ControlRef();
        }
        return part->ref();
    };
    text1_ = keep(kText1);
    text2_ = keep(kText2);
    delayEdit_ = keep(kDelayEdit);
}

void CComboEditContainerElementUI::activate() {
    if (List* list = owningList(*this)) {
        list->selectItem(list->indexOf(this));
    }
}

void CComboEditContainerElementUI::pressed(bool toggle) {
    List* list = owningList(*this);
    if (list == nullptr) {
        return;
    }
    const int index = list->indexOf(this);
    list->selectItem(toggle && rowSelected() ? -1 : index);
}

bool CComboEditContainerElementUI::setAttribute(std::string_view name, std::string_view value) {
    // The row paints its states itself.
    for (std::string_view ignored : {"normalimage", "hotimage", "selectedimage"}) {
        if (equalsIgnoreCase(name, ignored)) {
            return true;
        }
    }
    if (equalsIgnoreCase(name, "menu")) {
        const auto on = attr::parseBool(value);
        if (on) {
            menuEnabled_ = *on;
        }
        return on.has_value();
    }
    return ListContainerElement::setAttribute(name, value);
}

void CComboEditContainerElementUI::handleEvent(const UiEvent& e) {
    if (!enabledInTree() && e.type != EventType::Timer) {
        return;
    }
    switch (e.type) {
    case EventType::ButtonDown:
        pressed(e.controlHeld);
        return;
    case EventType::ButtonUp:
        sendNotify(notify::kItemClick);
        return;
    case EventType::Click:
        return; // the release has told already
    case EventType::DoubleClick:
        activate();
        sendNotify(notify::kDbClick);
        return;
    case EventType::KeyDown:
        if (e.key == kKeyReturn) {
            activate();
            sendNotify(notify::kReturn);
        }
        return;
    case EventType::ContextMenu:
        if (menuEnabled_) {
            sendNotify(notify::kMenu);
        }
        return;
    case EventType::MouseEnter:
    case EventType::MouseLeave:
        assign(hovered_, e.type == EventType::MouseEnter, Property::Custom);
        return;
    default:
        ListContainerElement::handleEvent(e);
    }
}

} // namespace morva::ui
