#include "device/keyboard/keyboard_system_page.h"

#include "ui/toolkit/container.h"
#include "ui/toolkit/language_store.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <string>

namespace morva::device::keyboard_system {
namespace {

void selectChoice(ui::Container& page, std::string_view prefix, int choice) {
    for (int n = 0; n < kChoices; ++n) {
        if (auto* option =
                page.findDescendantAs<ui::Option>(std::string(prefix) + std::to_string(n))) {
            option->setSelected(n == choice, false);
        }
    }
}

void check(ui::Container& page, std::string_view name, uint16_t flag) {
    if (auto* option = page.findDescendantAs<ui::Option>(name)) {
        option->setSelected(flag != 0, false);
    }
}

void showRepeatDelay(ui::Container& page, int choice) {
    ui::Control* label = page.findDescendant("repeat_delay_time_label1");
    if (label == nullptr) {
        return;
    }
    const ui::Window* window = label->window();
    const std::string caption =
        window != nullptr
            ? window->toolkit().language().lookup("Repeat_Delay_Time").value_or(std::string())
            : std::string();
    label->setText(caption + std::to_string(kRepeatDelayStepMs * (choice + 1)) + "ms");
}

} // namespace

int choiceOf(int index) {
    return index >= 0 && index < kChoices ? index : 0;
}

void show(ui::Container& page, const profiles::KeyboardSystemRecord& system) {
    selectChoice(page, "polling_rate_option_", choiceOf(system.pollingRate));
    check(page, "winlockflag_option", system.winFlag);
    check(page, "wflag_option", system.wFlag);
    check(page, "6flag_option", system.key6Flag);
    if (auto* slider = page.findDescendantAs<ui::Slider>("repeat_rate_slider")) {
        slider->setValue(system.repeat);
    }
    const int delay = choiceOf(system.repeatDelay);
    selectChoice(page, "repeat_delay_check_", delay);
    showRepeatDelay(page, delay);
}

} // namespace morva::device::keyboard_system
