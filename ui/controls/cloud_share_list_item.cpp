#include "ui/controls/cloud_share_list_item.h"

namespace morva::ui {

void CCloudShareListItemUI::handleEvent(const UiEvent& e) {
    if (e.type == EventType::MouseEnter || e.type == EventType::MouseLeave) {
        assign(hovered_, e.type == EventType::MouseEnter, Property::Custom);
        return;
    }
    ListContainerElement::handleEvent(e);
}

} // namespace morva::ui
