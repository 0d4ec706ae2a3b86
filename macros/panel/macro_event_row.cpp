#include "macros/panel/macro_event_row.h"

#include "base/json_file.h"
#include "base/trace.h"
#include "macros/event_name.h"
#include "macros/macro_document.h"
#include "macros/macro_recorder.h"
#include "macros/panel/macro_label_styles.h"
#include "ui/controls/combo_edit_container_element.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/list.h"

#include <algorithm>
#include <string>

namespace morva::macros {
namespace {

bool isKeyboardEvent(const MacroEvent& event) {
    return event.type == kTypeKeyboardKey || event.type == kTypeModifier;
}

bool isMovement(const MacroEvent& event) {
    return event.type == kTypeMoveHorizontal || event.type == kTypeMoveVertical;
}

void showName(ui::Control& label, const MacroEvent& event) {
    applyLabelStyle(label,
                    isKeyboardEvent(event) ? MacroLabelStyle::Keyboard : MacroLabelStyle::Mouse);
    const EventName name = eventName(event);
    if (name.empty()) {
        label.setText("");
    } else {
        label.setTextKey(name.key);
    }
}

// A press or a release; a movement shows its distance, a nameless mouse event nothing.
void showAction(ui::Control& label, const MacroEvent& event) {
    if (isKeyboardEvent(event) || event.type == kTypeMouseButton) {
        applyLabelStyle(label, event.isPress() ? MacroLabelStyle::Down : MacroLabelStyle::Up);
        return;
    }
    applyLabelStyle(label, MacroLabelStyle::Text);
    label.setText(isMovement(event) ? std::to_string(event.button) : std::string());
}

const ui::CComboEditContainerElementUI* asEventRow(const ui::Control& row) {
    return dynamic_cast<const ui::CComboEditContainerElementUI*>(&row);
}

} // namespace

ui::Control* placeEventRow(ui::List& list, size_t index, const Json::Value& event) {
    if (list.window() == nullptr) {
        trace("macro event list %s is in no window: its rows cannot be built", list.name().c_str());
        return nullptr;
    }
    auto made = std::make_unique<ui::CComboEditContainerElementUI>();
    made->setName(std::string(kEventRowName));
    made->setFixedHeight(kEventRowHeight);
    made->setMenuEnabled(true); // a right click offers the events that can be inserted
    auto* row = static_cast<ui::CComboEditContainerElementUI*>(list.addAt(std::move(made), index));
    if (ui::Edit* field = row->delayEdit()) {
        field->setName(std::string(kDelayFieldName));
        applyLabelStyle(*field, MacroLabelStyle::Text);
    }
    setRowEvent(*row, event);
    showRowDelay(*row, eventFromJson(event).delayMs());
    return row;
}

Json::Value rowEvent(const ui::Control& row) {
    return parseJsonText(row.userData());
}

void setRowEvent(ui::Control& row, const Json::Value& event) {
    row.setUserData(styledJsonText(event));
    const auto* parts = asEventRow(row);
    if (parts == nullptr) {
        return;
    }
    const MacroEvent shown = eventFromJson(event);
    if (ui::Control* name = parts->text1()) {
        showName(*name, shown);
    }
    if (ui::Control* action = parts->text2()) {
        showAction(*action, shown);
    }
}

ui::Edit* rowDelayField(const ui::Control& row) {
    const auto* parts = asEventRow(row);
    return parts != nullptr ? parts->delayEdit() : nullptr;
}

void showRowDelay(ui::Control& row, uint32_t delayMs) {
    if (ui::Edit* field = rowDelayField(row)) {
        field->setText(std::to_string(std::min(delayMs, kLongestPauseMs)));
    }
}

} // namespace morva::macros
