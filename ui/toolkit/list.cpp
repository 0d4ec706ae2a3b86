#include "ui/toolkit/list.h"

#include "ui/toolkit/notification.h"
#include "ui/toolkit/window.h"

#include <algorithm>

namespace morva::ui {

List* ListRow::owningList(Control& row) {
    return dynamic_cast<List*>(row.parent());
}

void ListContainerElement::handleEvent(const UiEvent& e) {
    if (!List::handleRowEvent(*this, e)) {
        HorizontalLayout::handleEvent(e);
    }
}

void ListLabelElement::handleEvent(const UiEvent& e) {
    if (!List::handleRowEvent(*this, e)) {
        Label::handleEvent(e);
    }
}

bool List::handleRowEvent(Control& row, const UiEvent& e) {
    if (!row.enabledInTree()) {
        return e.type != EventType::Timer;
    }
    switch (e.type) {
    case EventType::Click:
        if (List* list = ListRow::owningList(row)) {
            list->selectItem(list->indexOf(&row));
        }
        row.sendNotify(notify::kItemClick);
        return true;
    case EventType::DoubleClick:
        row.sendNotify(notify::kDbClick);
        return true;
    case EventType::ContextMenu:
        row.sendNotify(notify::kMenu);
        return true;
    default:
        return false;
    }
}

bool List::selectItem(int index, bool notify) {
    if (index < -1 || index >= static_cast<int>(count())) {
        return false;
    }
    if (index == selected_) {
        return true;
    }
    const int previous = selected_;
    markRow(previous, false);
    selected_ = index;
    markRow(selected_, true);
    changed(Property::Selected);
    if (notify) {
        sendNotify(notify::kItemSelect, selected_, previous);
    }
    return true;
}

void List::setScrollOffset(int offset) {
    assign(scrollOffset_, std::max(0, offset), Property::Geometry);
}

std::pair<int, int> List::rowExtent(size_t index) const {
    const int gap =
        window() != nullptr ? window()->dpiScale().scale(childPadding()) : childPadding();
    int top = 0;
    for (size_t i = 0; i < index; ++i) {
        const Control& row = *childAt(i);
        if (row.visible() && !row.floating()) {
            const Rect pad = row.scaledPadding();
            top += pad.top + row.scaledFixedSize().cy + pad.bottom + gap;
        }
    }
    const Control& row = *childAt(index);
    return {top + row.scaledPadding().top, row.scaledFixedSize().cy};
}

bool List::ensureVisible(int index) {
    if (index < 0 || static_cast<size_t>(index) >= count()) {
        return false;
    }
    const Rect inset =
        window() != nullptr ? window()->dpiScale().scale(this->inset()) : this->inset();
    const int viewport = layoutRect().height() - inset.top - inset.bottom;
    if (viewport <= 0) {
        return false;
    }
    const auto [top, height] = rowExtent(static_cast<size_t>(index));
    if (top < scrollOffset_) {
        setScrollOffset(top);
        return true;
    }
    if (top + height > scrollOffset_ + viewport) {
        setScrollOffset(top + height - viewport);
        return true;
    }
    return false;
}

void List::markRow(int index, bool selected) {
    if (index < 0) {
        return;
    }
    Control* row = childAt(static_cast<size_t>(index));
    if (auto* listRow = dynamic_cast<ListRow*>(row)) {
        listRow->setRowSelected(selected);
        // The row repaints through the list's change; nothing else reads the flag.
    }
}

void List::onChildRemoved(size_t index) {
    const int at = static_cast<int>(index);
    if (at == selected_) {
        selected_ = -1;
        changed(Property::Selected);
    } else if (at < selected_) {
        --selected_;
    }
}

} // namespace morva::ui
