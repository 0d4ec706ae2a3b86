#pragma once

#include "ui/toolkit/label.h"

#include <string>
#include <vector>

namespace morva::ui {

struct ComboItem {
    std::string text; // may be a language key
    std::string userData;
    int height = 0; // 0: the combo's default row height
    bool visible = true;
};

// A drop-down list of text items. The combo's own text is the selected item's text. Selecting
// sends "itemselect" with wParam the new index and lParam the previous one, unless told not to.
class Combo : public Label {
public:
    std::string_view className() const override { return "Combo"; }

    size_t count() const { return items_.size(); }
    const ComboItem* item(size_t index) const;
    // The item's text in the current language.
    std::string itemText(size_t index) const;
    // Returns the new item's index.
    size_t addItem(ComboItem item);
    size_t addItem(std::string text, std::string userData = {});
    bool removeItem(size_t index);
    void clear();
    bool setItemText(size_t index, std::string text);
    bool setItemUserData(size_t index, std::string userData);
    bool setItemHeight(size_t index, int height);
    bool setItemVisible(size_t index, bool visible);
    // Index of the first item with that user data, or -1.
    int findByUserData(std::string_view userData) const;

    // -1 while nothing is selected.
    int selectedIndex() const { return selected_; }
    // -1 clears the selection. Selecting the selected item again changes and sends nothing;
    // an index past the end is refused.
    bool selectItem(int index, bool notify = true);
    // What the renderer calls when the user picks an item.
    bool userSelect(int index);

    void onLanguageChanged() override;

private:
    void refreshText();

    std::vector<ComboItem> items_;
    int selected_ = -1;
};

} // namespace morva::ui
