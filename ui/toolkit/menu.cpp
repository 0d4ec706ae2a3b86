#include "ui/toolkit/menu.h"

#include "base/text.h"
#include "base/trace.h"
#include "ui/toolkit/attribute_parse.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <pugixml.hpp>

namespace morva::ui {
namespace {

const MenuItem* findIn(const std::vector<MenuItem>& items, std::string_view name) {
    for (const MenuItem& item : items) {
        if (item.name == name) {
            return &item;
        }
        if (const MenuItem* inner = findIn(item.children, name)) {
            return inner;
        }
    }
    return nullptr;
}

std::vector<MenuItem> parseItems(const pugi::xml_node& parent) {
    std::vector<MenuItem> items;
    for (const pugi::xml_node node : parent.children()) {
        if (!equalsIgnoreCase(node.name(), "MenuElement")) {
            continue;
        }
        MenuItem item;
        item.name = node.attribute("name").as_string();
        item.text = node.attribute("text").as_string();
        item.userData = node.attribute("userdata").as_string();
        item.enabled = attr::parseBool(node.attribute("enabled").as_string()).value_or(true);
        item.visible = attr::parseBool(node.attribute("visible").as_string()).value_or(true);
        item.checked = attr::parseBool(node.attribute("checked").as_string()).value_or(false);
        item.children = parseItems(node);
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace

Menu::Menu(Toolkit& toolkit, Window& owner, Point at, std::vector<MenuItem> items)
    : toolkit_(toolkit), owner_(owner), position_(at), items_(std::move(items)) {}

const MenuItem* Menu::find(std::string_view name) const {
    return findIn(items_, name);
}

std::string Menu::itemText(const MenuItem& item) const {
    return toolkit_.language().resolve(item.text);
}

bool Menu::choose(std::string_view name) {
    const MenuItem* item = find(name);
    if (item == nullptr || !item->visible || !item->enabled || !item->children.empty()) {
        return false;
    }
    WindowMessage message{kMsgMenuChosen, 0, 0,
                          MenuItemRecord{item->name, itemText(*item), item->userData}};
    Window& owner = owner_;
    close(); // destroys this menu
    owner.postMessage(std::move(message));
    return true;
}

void Menu::close() {
    toolkit_.closeMenu(this);
}

bool Menu::parse(Toolkit& toolkit, std::string_view resource, std::vector<MenuItem>& items) {
    const std::string name(resource);
    const auto path = toolkit.resources().resolve(resource);
    if (!path) {
        trace("menu \"%s\" not built: no such resource or file", name.c_str());
        return false;
    }
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_file(path->c_str());
    if (!parsed) {
        trace("menu \"%s\" not built: %s", name.c_str(), parsed.description());
        return false;
    }
    const pugi::xml_node root = doc.document_element();
    if (!equalsIgnoreCase(root.name(), "Menu")) {
        trace("menu \"%s\" not built: no <Menu> element", name.c_str());
        return false;
    }
    items = parseItems(root);
    return true;
}

} // namespace morva::ui
