#include "app/custom_light_routes.h"

#include "device/keyboard/keyboard_device.h"
#include "ui/controls/device_key_button.h"
#include "ui/toolkit/container.h"

#include <algorithm>
#include <charconv>

namespace morva::app {
namespace {

constexpr int kLightingFunction = 1;

int positionInName(std::string_view name) {
    const size_t underscore = name.rfind('_');
    const std::string_view digits =
        underscore == std::string_view::npos ? name : name.substr(underscore + 1);
    int position = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), position);
    return error == std::errc() && end == digits.data() + digits.size() ? position : 0;
}

} // namespace

std::vector<int> bandSelectedPositions(const ui::Control& selectPanel) {
    std::vector<int> positions;
    const ui::Container* container = selectPanel.asContainer();
    if (container == nullptr) {
        return positions;
    }
    for (const auto& child : container->children()) {
        const auto* key = dynamic_cast<const ui::CDeviceKeyButtonUI*>(child.get());
        if (key == nullptr || !key->bandSelected()) {
            continue;
        }
        const int position = positionInName(key->name());
        if (std::find(positions.begin(), positions.end(), position) == positions.end()) {
            positions.push_back(position);
        }
    }
    return positions;
}

void CustomLightRoutes::registerOn(ui::NotificationRouter& router) {
    using namespace ui::notify;
    // The current device when it is a keyboard, optionally only on its lighting panel.
    const auto keyboard = [this](bool onLightingPanel) -> device::CKestraneKeyboardDevice* {
        auto* device = dynamic_cast<device::CKestraneKeyboardDevice*>(
            currentDevice_ ? currentDevice_() : nullptr);
        if (device != nullptr && onLightingPanel &&
            device->GetFunctionKind() != kLightingFunction) {
            return nullptr;
        }
        return device;
    };
    router.onFamily(kClick, "key_", [keyboard](const ui::Notification&, int position) {
        if (auto* device = keyboard(true)) {
            device->SetKeyColour(position);
        }
    });
    router.on(kClickSelectEnd, "device_key_light", [keyboard](const ui::Notification& n) {
        const ui::Control* panel = n.sender.get();
        if (auto* device = keyboard(true); device != nullptr && panel != nullptr) {
            device->SetKeyColours(bandSelectedPositions(*panel));
        }
    });
    for (const auto& [name, on] :
         {std::pair{"custom_bright_color_btn", true}, {"custom_off_color_btn", false}}) {
        router.on(kClick, name, [keyboard, on](const ui::Notification&) {
            if (auto* device = keyboard(false)) {
                device->FillCustomPage(on);
            }
        });
    }
    router.on(
        kItemSelect, "light_combo_custommodeSelect", [this, keyboard](const ui::Notification& n) {
            if (auto* device = keyboard(false)) {
                const ui::Size screen = screenSize_ ? screenSize_() : ui::Size{};
                device->SwitchCustomGroup(static_cast<int>(n.wParam),
                                          {.screenWidth = screen.cx, .screenHeight = screen.cy});
            }
        });
}

} // namespace morva::app
