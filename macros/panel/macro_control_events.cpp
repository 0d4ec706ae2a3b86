#include "macros/macro_document.h"
#include "macros/macro_file.h"
#include "macros/panel/macro_control_ui.h"
#include "macros/panel/macro_event_row.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/list.h"

#include <algorithm>
#include <string>

// The event list of the macro panel: showing, saving, moving, deleting and inserting events.
namespace morva::macros {

int CMacroControlUI::SelectedEvent() const {
    const ui::List* list = eventList();
    return list != nullptr ? list->selectedIndex() : -1;
}

size_t CMacroControlUI::EventCount() const {
    const ui::List* list = eventList();
    return list != nullptr ? list->count() : 0;
}

void CMacroControlUI::showEvents(const std::vector<MacroEvent>& events) {
    ui::List* list = eventList();
    if (list == nullptr) {
        return;
    }
    list->selectItem(-1, false);
    list->removeAll();
    list->setScrollOffset(0);
    for (const MacroEvent& event : events) {
        placeEventRow(*list, list->count(), eventToJson(event));
    }
}

void CMacroControlUI::insertEventRow(size_t index, const Json::Value& event) {
    if (ui::List* list = eventList()) {
        placeEventRow(*list, index, event);
    }
}

void CMacroControlUI::setDelay(ui::Control& row, uint32_t delayMs) {
    Json::Value event = rowEvent(row);
    event["Delay"] = std::to_string(delayMs);
    setRowEvent(row, event);
    showRowDelay(row, delayMs);
}

void CMacroControlUI::Save() {
    const std::string identifier = SelectedMacroIdentifier();
    ui::List* list = eventList();
    if (identifier.empty() || list == nullptr) {
        return;
    }
    std::vector<MacroEvent> events;
    for (const auto& row : list->children()) {
        ui::Edit* field = rowDelayField(*row);
        if (field != nullptr && field->text().empty()) {
            field->setText("0");
        }
        // The field takes 65535 at the most, as the devices do; a longer pause read from a file
        // is saved as that rather than wrapping round on the device.
        const uint32_t delay =
            std::min(decimalValue(field != nullptr ? field->text() : "0"), kLongestPauseMs);
        Json::Value event = rowEvent(*row);
        if (event.isNull()) {
            break;
        }
        event["Delay"] = std::to_string(delay);
        setRowEvent(*row, event);
        events.push_back(eventFromJson(event));
    }
    const int selected = SelectedMacro();
    writeMacro(folder_, identifier, macroList()->childAt(static_cast<size_t>(selected))->rawText(),
               events);
}

void CMacroControlUI::MoveEvent(EventMove move) {
    ui::List* list = eventList();
    const int selected = SelectedEvent();
    if (list == nullptr || selected < 0) {
        return;
    }
    const int last = static_cast<int>(list->count()) - 1;
    const bool towardsTop = move == EventMove::Up || move == EventMove::Top;
    if ((towardsTop && selected == 0) || (!towardsTop && selected == last)) {
        return;
    }
    int target = 0;
    switch (move) {
    case EventMove::Up:
        target = selected - 1;
        break;
    case EventMove::Down:
        target = selected + 1;
        break;
    case EventMove::Top:
        target = 0;
        break;
    case EventMove::Bottom:
        target = last;
        break;
    }
    ui::Control* row = list->childAt(static_cast<size_t>(selected));
    const Json::Value event = rowEvent(*row);
    list->remove(row);
    insertEventRow(static_cast<size_t>(target), event);
    list->selectItem(target, false);
}

void CMacroControlUI::DeleteEvent() {
    ui::List* list = eventList();
    const int selected = SelectedEvent();
    if (list != nullptr && selected >= 0) {
        list->remove(list->childAt(static_cast<size_t>(selected)));
    }
}

void CMacroControlUI::DeleteAllEvents() {
    showEvents({});
}

void CMacroControlUI::InsertMouseEvent(const MouseInsertItem& item) {
    ui::List* list = eventList();
    if (list == nullptr) {
        return;
    }
    const ui::Edit* distance =
        item.distanceField.empty() ? nullptr : findDescendantAs<ui::Edit>(item.distanceField);
    const std::string distanceText = distance != nullptr ? distance->text() : std::string();
    for (const MacroEvent& event : insertedEvents(item, distanceText, constantTimeMs())) {
        const int after = std::max(SelectedEvent(), 0);
        insertEventRow(list->count() == 0 ? 0 : static_cast<size_t>(after) + 1, eventToJson(event));
        list->selectItem(after + 1, false); // refused in a list that was empty: none selected
    }
}

} // namespace morva::macros
