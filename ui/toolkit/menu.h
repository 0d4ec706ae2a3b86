#pragma once

#include "ui/toolkit/geometry.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace morva::ui {

class Toolkit;
class Window;

struct MenuItem {
    std::string name;
    std::string text; // may be a language key
    std::string userData;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    std::vector<MenuItem> children; // a submenu
};

// What the owner window receives with kMsgMenuChosen: the chosen item's name and its two texts
// (the shown text and the user data).
struct MenuItemRecord {
    std::string name;
    std::string text;
    std::string userData;
};

// A popup menu shown at a point for an owner window. Built from a skin description:
//   <Menu><MenuElement name="exit" text="%[menu_exit]"/><MenuElement name="sub">...</Menu>
// The renderer shows it when told (UiObserver::menuShown) and reports the user's choice with
// choose(), which closes the menu and posts the item to the owner.
class Menu {
public:
    Menu(Toolkit& toolkit, Window& owner, Point at, std::vector<MenuItem> items);

    Window& owner() const { return owner_; }
    Point position() const { return position_; }
    const std::vector<MenuItem>& items() const { return items_; }
    // The item of that name at any depth, or null.
    const MenuItem* find(std::string_view name) const;
    // The item's text in the current language.
    std::string itemText(const MenuItem& item) const;

    // False (nothing sent) for an unknown, hidden or disabled item, or an item with a submenu.
    bool choose(std::string_view name);
    // Closes without a choice.
    void close();

    // The items of a skin description; false when it cannot be read (traced).
    static bool parse(Toolkit& toolkit, std::string_view resource, std::vector<MenuItem>& items);

private:
    Toolkit& toolkit_;
    Window& owner_;
    Point position_;
    std::vector<MenuItem> items_;
};

} // namespace morva::ui
