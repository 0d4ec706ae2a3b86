#include "ui/toolkit/property.h"

namespace morva::ui {

std::string_view propertyName(Property property) {
    switch (property) {
    case Property::Visible:
        return "visible";
    case Property::Enabled:
        return "enabled";
    case Property::Text:
        return "text";
    case Property::ToolTip:
        return "tooltip";
    case Property::BkColor:
        return "bkcolor";
    case Property::BkImage:
        return "bkimage";
    case Property::ForeImage:
        return "foreimage";
    case Property::Image:
        return "image";
    case Property::UserData:
        return "userdata";
    case Property::Font:
        return "font";
    case Property::TextColor:
        return "textcolor";
    case Property::Geometry:
        return "geometry";
    case Property::Selected:
        return "selected";
    case Property::Value:
        return "value";
    case Property::Items:
        return "items";
    case Property::EditState:
        return "editstate";
    case Property::Children:
        return "children";
    case Property::Custom:
        return "custom";
    }
    return "unknown";
}

} // namespace morva::ui
