#include "app/mouse_page_routes.h"

#include "device/mouse/mouse_device.h"
#include "device/mouse/mouse_page.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"

#include <charconv>

namespace morva::app {
namespace {

using profiles::DpiStageRecord;
using profiles::MouseSystemRecord;

struct SliderField {
    std::string_view name;
    uint16_t MouseSystemRecord::*field;
};
constexpr SliderField kSliders[] = {
    {"pointer_speed_slider", &MouseSystemRecord::mouseSpeed},
    {"scroll_speed_slider", &MouseSystemRecord::wheelScrollLines},
    {"double_click_slider", &MouseSystemRecord::doubleClickTime},
};
constexpr SliderField kChecks[] = {
    {"pointer_precision_check", &MouseSystemRecord::pointerPrecision},
    {"scrolls_page_check", &MouseSystemRecord::scrollPage},
};

// The stage list reaches stage n, new stages empty and off.
DpiStageRecord& stageAt(std::vector<DpiStageRecord>& stages, int n) {
    if (stages.size() <= static_cast<size_t>(n)) {
        stages.resize(static_cast<size_t>(n) + 1);
    }
    return stages[static_cast<size_t>(n)];
}

int numberIn(const ui::Control* control) {
    const std::string text = control != nullptr ? control->text() : std::string();
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

void MousePageRoutes::registerOn(ui::NotificationRouter& router) {
    using namespace ui::notify;
    using Request = device::CKestraneUSBDevice::SettingsWriteRequest;
    const auto mouseNow = [this] {
        return dynamic_cast<device::CKestraneMouseDevice*>(currentDevice_ ? currentDevice_()
                                                                          : nullptr);
    };
    const auto request = [this] {
        const ui::Size screen = screenSize_ ? screenSize_() : ui::Size{};
        return Request{.screenWidth = screen.cx, .screenHeight = screen.cy};
    };
    const auto changeStage = [mouseNow, request](int n, auto edit) {
        if (auto* mouse = mouseNow()) {
            mouse->ChangeStages(
                [n, edit](std::vector<DpiStageRecord>& stages) { edit(stageAt(stages, n)); },
                request());
        }
    };
    router.onFamily(
        kSelectChanged, "DPI_enable_check_", [changeStage](const ui::Notification& n, int stage) {
            const auto* box = dynamic_cast<const ui::Option*>(n.sender.get());
            const bool on = box != nullptr && box->selected();
            changeStage(stage, [on](DpiStageRecord& record) { record.enabled = on ? 1 : 0; });
        });
    router.onFamily(kMoveValueChanged, "DPI_slider_",
                    [mouseNow](const ui::Notification& n, int stage) {
                        const auto* slider = dynamic_cast<const ui::Slider*>(n.sender.get());
                        if (auto* mouse = mouseNow(); mouse != nullptr && slider != nullptr) {
                            mouse->ShowStageDpi(stage, slider->value());
                        }
                    });
    router.onFamily(
        kValueChanged, "DPI_slider_", [changeStage](const ui::Notification& n, int stage) {
            const auto* slider = dynamic_cast<const ui::Slider*>(n.sender.get());
            if (slider != nullptr) {
                const auto steps = static_cast<uint16_t>(slider->value());
                changeStage(stage,
                            [steps](DpiStageRecord& record) { record.dpiX = record.dpiY = steps; });
            }
        });
    router.onFamily(
        kKillFocus, "DPI_edit_", [changeStage, mouseNow](const ui::Notification& n, int stage) {
            const auto* mouse = mouseNow();
            if (mouse != nullptr) {
                const uint16_t steps = device::mouse_page::stepsOfTypedDpi(numberIn(n.sender.get()),
                                                                           mouse->deviceInfo());
                changeStage(stage,
                            [steps](DpiStageRecord& record) { record.dpiX = record.dpiY = steps; });
            }
        });
    router.onFamily(kSelectChanged, "polling_rate_option_",
                    [mouseNow, request](const ui::Notification&, int rate) {
                        if (auto* mouse = mouseNow();
                            mouse != nullptr && rate < device::mouse_page::kReportRates) {
                            mouse->ChangeSystem(
                                [rate](MouseSystemRecord& system) {
                                    system.reportRate = static_cast<uint16_t>(rate);
                                },
                                true, request());
                        }
                    });
    for (const SliderField& field : kSliders) {
        router.on(kValueChanged, field.name, [mouseNow, request, field](const ui::Notification& n) {
            const auto* slider = dynamic_cast<const ui::Slider*>(n.sender.get());
            if (auto* mouse = mouseNow(); mouse != nullptr && slider != nullptr) {
                const auto value = static_cast<uint16_t>(slider->value());
                mouse->ChangeSystem(
                    [field, value](MouseSystemRecord& system) { system.*field.field = value; },
                    false, request());
            }
        });
    }
    for (const SliderField& field : kChecks) {
        router.on(kSelectChanged, field.name,
                  [mouseNow, request, field](const ui::Notification& n) {
                      const auto* box = dynamic_cast<const ui::Option*>(n.sender.get());
                      if (auto* mouse = mouseNow(); mouse != nullptr && box != nullptr) {
                          const uint16_t on = box->selected() ? 1 : 0;
                          mouse->ChangeSystem(
                              [field, on](MouseSystemRecord& system) { system.*field.field = on; },
                              false, request());
                      }
                  });
    }
}

} // namespace morva::app
