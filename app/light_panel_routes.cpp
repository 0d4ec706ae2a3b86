#include "app/light_panel_routes.h"

#include "app/device_option.h"
#include "device/usb_device.h"
#include "lighting/panel/light_control_ui.h"
#include "ui/toolkit/color_palette.h"

#include <string>

namespace morva::app {
namespace {

using lighting::CLightControlUI;
using profiles::LightInfoRecord;

uint8_t byteOf(int value) {
    return static_cast<uint8_t>(value < 0 ? 0 : value);
}

} // namespace

void LightPanelRoutes::apply(bool leavesSynchronisation, const Change& change) {
    device::CKestraneUSBDevice* device = currentDevice_ ? currentDevice_() : nullptr;
    auto* panel =
        device != nullptr ? dynamic_cast<CLightControlUI*>(device->lightPanel()) : nullptr;
    if (panel == nullptr) {
        return;
    }
    if (leavesSynchronisation) {
        device->commandChannel().setSynchronised(false);
        if (auto* tab = dynamic_cast<CDeviceOptionUI*>(device->tab())) {
            tab->setSynchronised(false);
        }
    }
    LightInfoRecord light = device->lightSettings();
    change(light, *panel);
    const ui::Size screen = screenSize_ ? screenSize_() : ui::Size{};
    device->ApplyLightSettings(light, {.screenWidth = screen.cx, .screenHeight = screen.cy});
}

void LightPanelRoutes::applyColour(bool leavesSynchronisation, uint32_t colour) {
    apply(leavesSynchronisation, [colour](LightInfoRecord& light, CLightControlUI& panel) {
        light.red = static_cast<uint8_t>(colour >> 16);
        light.green = static_cast<uint8_t>(colour >> 8);
        light.blue = static_cast<uint8_t>(colour);
        light.multiColor = 0;
        panel.ShowSingleColour(light.red, light.green, light.blue);
    });
}

void LightPanelRoutes::applyColourEdit(int channel) {
    apply(true, [channel](LightInfoRecord& light, CLightControlUI& panel) {
        const lighting::ColourChannelEdit edit =
            lighting::readColourChannel(panel.GetColourText(channel));
        uint8_t* channels[] = {&light.red, &light.green, &light.blue};
        *channels[channel] = edit.value;
        light.multiColor = 0;
        panel.ShowSingleColour(light.red, light.green, light.blue);
    });
}

void LightPanelRoutes::registerOn(ui::NotificationRouter& router) {
    using namespace ui::notify;
    const auto on = [&router](std::string_view type, std::string_view name, auto handler) {
        router.on(type, name, [handler](const ui::Notification& n) { handler(n); });
    };
    on(kItemSelect, "light_combo_modeSelect", [this](const ui::Notification& n) {
        apply(true, [&n](LightInfoRecord& light, CLightControlUI& panel) {
            panel.SelectMode(static_cast<int>(n.wParam));
            light.mode = byteOf(panel.GetMode());
        });
    });
    on(kItemSelect, "side_light_combo_modeSelect", [this](const ui::Notification&) {
        apply(true, [](LightInfoRecord& light, CLightControlUI& panel) {
            light.sideMode = byteOf(panel.GetSideMode());
        });
    });
    on(kItemSelect, "light_combo_ZZCCmodeSelect", [this](const ui::Notification&) {
        apply(false, [](LightInfoRecord& light, CLightControlUI& panel) {
            light.zzccMode = byteOf(panel.GetZZCCMode());
        });
    });
    on(kValueChanged, "deng_light_slider", [this](const ui::Notification&) {
        apply(true, [](LightInfoRecord& light, CLightControlUI& panel) {
            light.brightness = byteOf(panel.GetBrightness());
        });
    });
    on(kValueChanged, "deng_speed_slider", [this](const ui::Notification&) {
        apply(true, [](LightInfoRecord& light, CLightControlUI& panel) {
            light.speed = byteOf(panel.GetSpeed());
        });
    });
    on(kSelectChanged, "deng_7color_check", [this](const ui::Notification&) {
        apply(true, [](LightInfoRecord& light, CLightControlUI& panel) {
            light.multiColor = panel.GetMultiColour() ? 1 : 0;
        });
    });
    for (const auto& [name, direction] : {std::pair{"deng_FXL_check", 1}, {"deng_FXR_check", 0}}) {
        // A click on either option, even on the one already selected, means its direction.
        on(kSelectChanged, name, [this, direction](const ui::Notification&) {
            apply(true, [direction](LightInfoRecord& light, CLightControlUI& panel) {
                panel.SetDirection(direction);
                light.direction = static_cast<uint8_t>(direction);
            });
        });
    }
    on(kColorChanged, "deng_Color_Pallet", [this](const ui::Notification& n) {
        const auto* palette = dynamic_cast<const ui::ColorPalette*>(n.sender.get());
        if (palette != nullptr) {
            applyColour(true, palette->color());
        }
    });
    router.onFamily(kClick, "color_option_", [this](const ui::Notification&, int number) {
        const auto* device = currentDevice_ ? currentDevice_() : nullptr;
        const auto* panel = device != nullptr
                                ? dynamic_cast<const CLightControlUI*>(device->lightPanel())
                                : nullptr;
        if (panel != nullptr) {
            applyColour(false, panel->GetSwatchColour(number));
        }
    });
    const char* edits[] = {"deng_edit_R", "deng_edit_G", "deng_edit_B"};
    for (int channel = 0; channel < 3; ++channel) {
        on(kKillFocus, edits[channel],
           [this, channel](const ui::Notification&) { applyColourEdit(channel); });
    }
}

} // namespace morva::app
