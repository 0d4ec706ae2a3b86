#include "device/mouse/mouse_page.h"

#include "ui/toolkit/container.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"

#include <algorithm>
#include <string>

namespace morva::device::mouse_page {
namespace {

std::string numbered(std::string_view prefix, int n) {
    return std::string(prefix) + std::to_string(n);
}

void setSlider(ui::Container& page, std::string_view name, int value) {
    if (auto* slider = page.findDescendantAs<ui::Slider>(name)) {
        slider->setValue(value);
    }
}

void check(ui::Container& page, std::string_view name, bool on) {
    if (auto* option = page.findDescendantAs<ui::Option>(name)) {
        option->setSelected(on, false);
    }
}

void showStage(ui::Container& page, int n, const profiles::DpiStageRecord& stage, bool lastOn,
               const DeviceInfoRecord& info) {
    if (auto* enable = page.findDescendantAs<ui::Option>(numbered("DPI_enable_check_", n))) {
        enable->setSelected(stage.enabled != 0, false);
        enable->setEnabled(!lastOn);
    }
    setSlider(page, numbered("DPI_slider_", n), stage.dpiX);
    showStageDpi(page, n, stage.dpiX, info);
}

} // namespace

void showStageDpi(ui::Container& page, int stage, int steps, const DeviceInfoRecord& info) {
    if (auto* edit = page.findDescendantAs<ui::Edit>(numbered("DPI_edit_", stage))) {
        edit->setText(std::to_string(std::max(steps, 0) * info.dpiPerStep()));
    }
}

void setRanges(ui::Container& page, const DeviceInfoRecord& info) {
    for (int n = 0; n < kStages; ++n) {
        if (auto* slider = page.findDescendantAs<ui::Slider>(numbered("DPI_slider_", n))) {
            slider->setRange(0, info.dpiSteps());
        }
        if (auto* edit = page.findDescendantAs<ui::Edit>(numbered("DPI_edit_", n))) {
            edit->setMinValue(0);
            edit->setMaxValue(static_cast<int>(info.highestDpi()));
        }
    }
}

void show(ui::Container& page, const std::vector<profiles::DpiStageRecord>& stages,
          const profiles::MouseSystemRecord& system, const DeviceInfoRecord& info) {
    const auto enabled = std::count_if(stages.begin(), stages.end(),
                                       [](const auto& stage) { return stage.enabled != 0; });
    for (int n = 0; n < kStages; ++n) {
        const profiles::DpiStageRecord stage = static_cast<size_t>(n) < stages.size()
                                                   ? stages[static_cast<size_t>(n)]
                                                   : profiles::DpiStageRecord{};
        showStage(page, n, stage, enabled == 1 && stage.enabled != 0, info);
    }
    const int rate = system.reportRate < kReportRates ? system.reportRate : 0;
    for (int n = 0; n < kReportRates; ++n) {
        check(page, numbered("polling_rate_option_", n), n == rate);
    }
    setSlider(page, "pointer_speed_slider", system.mouseSpeed);
    check(page, "pointer_precision_check", system.pointerPrecision != 0);
    setSlider(page, "scroll_speed_slider", system.wheelScrollLines);
    check(page, "scrolls_page_check", system.scrollPage != 0);
    setSlider(page, "double_click_slider", system.doubleClickTime);
}

uint16_t stepsOfTypedDpi(int typedDpi, const DeviceInfoRecord& info) {
    if (info.dpiPerStep() == 0) {
        return 0;
    }
    const int dpi = std::max(typedDpi, static_cast<int>(info.lowestDpi()));
    return static_cast<uint16_t>(
        std::min(dpi / info.dpiPerStep(), static_cast<int>(info.dpiSteps())));
}

} // namespace morva::device::mouse_page
