#include "macros/panel/macro_event_row.h"

#include "base/json_file.h"
#include "macros/event_name.h"
#include "macros/macro_document.h"
#include "macros/macro_recorder.h"
#include "macros/panel/macro_label_styles.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/list.h"

#include <algorithm>
#include <string>

namespace morva::macros {
namespace {

constexpr int kActionWidth = 90;
constexpr int kDelayWidth = 80;
constexpr int kDelayHeight = 25;
constexpr uint32_t kDelayFieldColour = 0xFF444444;
constexpr size_t kDelayDigits = 6;

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

std::unique_ptr<ui::Label> makeLabel(std::string_view name, int width) {
    auto label = std::make_unique<ui::Label>();
    label->setName(std::string(name));
    label->setFixedWidth(width);
    label->setFont(8);
    return label;
}

std::unique_ptr<ui::Edit> makeDelayField() {
    auto field = std::make_unique<ui::Edit>();
    field->setName(std::string(kDelayFieldName));
    applyLabelStyle(*field, MacroLabelStyle::Text);
    field->setBkColor(kDelayFieldColour);
    field->setFixedWidth(kDelayWidth);
    field->setFixedHeight(kDelayHeight);
    field->setMaxLength(kDelayDigits);
    field->setNumberOnly(true);
    field->setMinValue(0);
    field->setMaxValue(static_cast<int>(kLongestPauseMs));
    field->setToolTip("%[macro_delay_tip]");
    return field;
}

} // namespace

std::unique_ptr<ui::ListContainerElement> makeEventRow(const Json::Value& event) {
    auto row = std::make_unique<ui::ListContainerElement>();
    row->setName(std::string(kEventRowName));
    row->setFixedHeight(kEventRowHeight);
    row->setInset({8, 2, 8, 3}); // the 25-pixel field sits in the middle
    row->setChildPadding(8);
    row->add(makeLabel(kEventNameLabel, 0));
    row->add(makeLabel(kEventActionLabel, kActionWidth));
    row->add(makeDelayField());
    setRowEvent(*row, event);
    showRowDelay(*row, eventFromJson(event).delayMs());
    return row;
}

Json::Value rowEvent(const ui::Control& row) {
    return parseJsonText(row.userData());
}

void setRowEvent(ui::Control& row, const Json::Value& event) {
    row.setUserData(styledJsonText(event));
    const MacroEvent shown = eventFromJson(event);
    const ui::Container* box = row.asContainer();
    if (box == nullptr) {
        return;
    }
    if (ui::Control* name = box->findDescendant(kEventNameLabel)) {
        showName(*name, shown);
    }
    if (ui::Control* action = box->findDescendant(kEventActionLabel)) {
        showAction(*action, shown);
    }
}

ui::Edit* rowDelayField(const ui::Control& row) {
    const ui::Container* box = row.asContainer();
    return box != nullptr ? box->findDescendantAs<ui::Edit>(kDelayFieldName) : nullptr;
}

void showRowDelay(ui::Control& row, uint32_t delayMs) {
    if (ui::Edit* field = rowDelayField(row)) {
        field->setText(std::to_string(std::min(delayMs, kLongestPauseMs)));
    }
}

} // namespace morva::macros
