#include "app/keyboard_system_routes.h"

#include "device/keyboard/keyboard_device.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"

namespace morva::app {
namespace {

using profiles::KeyboardSystemRecord;

// The flag options and the field each sets.
struct FlagOption {
    std::string_view name;
    uint16_t KeyboardSystemRecord::*field;
};
constexpr FlagOption kFlagOptions[] = {
    {"winlockflag_option", &KeyboardSystemRecord::winFlag},
    {"wflag_option", &KeyboardSystemRecord::wFlag},
    {"6flag_option", &KeyboardSystemRecord::key6Flag},
};

} // namespace

void KeyboardSystemRoutes::registerOn(ui::NotificationRouter& router) {
    using namespace ui::notify;
    // Runs a change on the current device when it is a keyboard.
    const auto change = [this](bool send, auto edit) {
        auto* keyboard = dynamic_cast<device::CKestraneKeyboardDevice*>(
            currentDevice_ ? currentDevice_() : nullptr);
        if (keyboard != nullptr) {
            keyboard->ChangeSystem(edit, send);
        }
    };
    router.onFamily(kSelectChanged, "polling_rate_option_",
                    [change](const ui::Notification&, int choice) {
                        change(true, [choice](KeyboardSystemRecord& system) {
                            system.pollingRate = static_cast<uint16_t>(choice);
                        });
                    });
    for (const FlagOption& flag : kFlagOptions) {
        router.on(kSelectChanged, flag.name, [change, flag](const ui::Notification& n) {
            const auto* option = dynamic_cast<const ui::Option*>(n.sender.get());
            const bool on = option != nullptr && option->selected();
            change(true,
                   [flag, on](KeyboardSystemRecord& system) { system.*flag.field = on ? 1 : 0; });
        });
    }
    router.on(kValueChanged, "repeat_rate_slider", [change](const ui::Notification& n) {
        const auto* slider = dynamic_cast<const ui::Slider*>(n.sender.get());
        if (slider != nullptr) {
            const auto rate = static_cast<uint16_t>(slider->value());
            change(false, [rate](KeyboardSystemRecord& system) { system.repeat = rate; });
        }
    });
    router.onFamily(kSelectChanged, "repeat_delay_check_",
                    [change](const ui::Notification&, int choice) {
                        change(false, [choice](KeyboardSystemRecord& system) {
                            system.repeatDelay = static_cast<uint16_t>(choice);
                        });
                    });
}

} // namespace morva::app
