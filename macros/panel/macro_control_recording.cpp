#include "macros/macro_document.h"
#include "macros/panel/macro_control_ui.h"
#include "macros/panel/macro_event_row.h"
#include "ui/controls/redio_macro_button.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/list.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <string>

// The macro panel's side of a recording: the lock of its controls, and the rows the recorded
// keys and buttons become.
namespace morva::macros {
namespace {

constexpr std::string_view kStartButton = "macro_btn_starredio";
constexpr std::string_view kStopButton = "macro_btn_stopredio";
constexpr std::string_view kIndicator = "macro_redio_indicator";
// What the pointer must not reach while a recording runs, and what is disabled meanwhile.
constexpr std::string_view kPointerFree[] = {"macro_name_tab", "macro_action_list"};
constexpr std::string_view kDisabled[] = {"macro_tab_macroaction_edit",
                                          "macro_tab_macrodelay_edit"};

// The tick count pauses are measured on: the interface loop's clock, in milliseconds.
uint32_t tickCount(const ui::Control& panel) {
    const ui::Window* window = panel.window();
    return window != nullptr ? static_cast<uint32_t>(window->toolkit().loop().clock().nowMs()) : 0;
}

} // namespace

void CMacroControlUI::lockForRecording(bool locked) {
    for (const std::string_view name : kPointerFree) {
        if (ui::Control* c = findDescendant(name)) {
            c->setMouseEnabled(!locked);
            c->setMouseChildEnabled(!locked);
        }
    }
    for (const std::string_view name : kDisabled) {
        if (ui::Control* c = findDescendant(name)) {
            c->setEnabled(!locked);
        }
    }
    if (ui::Control* start = findDescendant(kStartButton)) {
        start->setVisible(!locked);
    }
    if (ui::Control* stop = findDescendant(kStopButton)) {
        stop->setVisible(locked);
    }
    // The indicator pulses beside the stop button while the recording runs.
    if (auto* indicator = findDescendantAs<ui::CRedioMacroButtonUI>(kIndicator)) {
        indicator->setVisible(locked);
        indicator->setAnimating(locked);
    }
}

void CMacroControlUI::StartRecording(RecordTimeMode mode) {
    ui::Edit* fixed = findDescendantAs<ui::Edit>(kFixedTimeField);
    const auto shown =
        recorder_.start(mode, tickCount(*this), fixed != nullptr ? fixed->text() : "");
    if (shown && fixed != nullptr) {
        fixed->setText(*shown);
        const int end = static_cast<int>(shown->size());
        fixed->setSelection(end, end);
    }
    lockForRecording(true);
    recording_ = true;
}

void CMacroControlUI::StopRecording() {
    lockForRecording(false);
    recording_ = false;
}

void CMacroControlUI::PlaceRecordedInput(Placement placement, const RecordedInput& input) {
    ui::List* list = eventList();
    if (list == nullptr) {
        return;
    }
    const auto placed =
        recorder_.place(placement, input, list->count(), list->selectedIndex(), tickCount(*this));
    if (!placed) {
        return;
    }
    Json::Value event = eventToJson(placed->event);
    if (placed->delayAsNumber) {
        event["Delay"] = 0; // text again once the macro is saved
    }
    insertEventRow(placed->row, event);
    if (placed->previousDelayMs) {
        setDelay(*list->childAt(placed->row - 1), *placed->previousDelayMs);
    }
    list->selectItem(placed->selectedRow, false);
    setTimer(kScrollTimer, kScrollDelayMs);
}

void CMacroControlUI::ReplaceSelectedInput(const RecordedInput& input) {
    ui::List* list = eventList();
    const int selected = SelectedEvent();
    if (list == nullptr || selected < 0) {
        return;
    }
    ui::Control& row = *list->childAt(static_cast<size_t>(selected));
    Json::Value event = rowEvent(row);
    event["Type"] = input.type;
    event["Button"] = input.button;
    setRowEvent(row, event);
}

ui::Rect CMacroControlUI::StopButtonRect() const {
    const ui::Control* stop = findDescendant(kStopButton);
    return stop != nullptr ? stop->layoutRect() : ui::Rect{};
}

void CMacroControlUI::handleEvent(const ui::UiEvent& e) {
    if (e.type == ui::EventType::Timer && e.wParam == kScrollTimer) {
        killTimer(kScrollTimer);
        if (ui::List* list = eventList()) {
            list->ensureVisible(list->selectedIndex());
        }
        return;
    }
    ui::HorizontalLayout::handleEvent(e);
}

} // namespace morva::macros
