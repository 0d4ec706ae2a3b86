#pragma once

#include "ui/toolkit/container.h"
#include "ui/toolkit/label.h"

#include <utility>

namespace morva::ui {

class List;

// What every list row has: a selected state and the way back to its list.
class ListRow {
public:
    virtual ~ListRow() = default;
    bool rowSelected() const { return rowSelected_; }

protected:
    // The list this row belongs to, found through its parent.
    static List* owningList(Control& row);
    void setRowSelected(bool selected) { rowSelected_ = selected; }

private:
    friend class List;
    bool rowSelected_ = false;
};

// A row that holds controls. A click selects the row in its list and sends "itemclick"; a
// double click sends "dbclick"; a context-menu request sends "menu".
class ListContainerElement : public HorizontalLayout, public ListRow {
public:
    std::string_view className() const override { return "ListContainerElement"; }

protected:
    void handleEvent(const UiEvent& e) override;
};

// A row that is one text.
class ListLabelElement : public Label, public ListRow {
public:
    std::string_view className() const override { return "ListLabelElement"; }

protected:
    void handleEvent(const UiEvent& e) override;
};

// A vertical list of rows; any control can be a row, rows of the two element kinds take part in
// the selection. Selecting sends "itemselect" with wParam the new index and lParam the previous.
class List : public VerticalLayout {
public:
    std::string_view className() const override { return "List"; }

    int selectedIndex() const { return selected_; }
    // -1 clears; selecting the selected row again sends nothing; a bad index is refused.
    bool selectItem(int index, bool notify = true);

    // Shared by the row kinds: the reaction of a row to an input event; true when handled.
    static bool handleRowEvent(Control& row, const UiEvent& e);

    // How far the rows are moved up, in pixels at the window's DPI, when they do not all fit;
    // the layout keeps the last row from moving above the bottom.
    int scrollOffset() const { return scrollOffset_; }
    void setScrollOffset(int offset);
    void scrollBy(int delta) { setScrollOffset(scrollOffset_ + delta); }
    // Scrolls so that the row lies within the list's area as last laid out; false when it
    // already did, or the list has not been laid out.
    bool ensureVisible(int index);

protected:
    void onChildRemoved(size_t index) override;

private:
    void markRow(int index, bool selected);
    // Where the row starts below the first row's top, and its height (window pixels).
    std::pair<int, int> rowExtent(size_t index) const;

    int selected_ = -1;
    int scrollOffset_ = 0;
};

} // namespace morva::ui
