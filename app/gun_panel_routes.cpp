#include "app/gun_panel_routes.h"

#include "device/mouse/mouse_device.h"
#include "macros/panel/shoot_control_ui.h"

#include <array>

namespace morva::app {
namespace {

using macros::CShootControlUI;

// The bullet's fields: leaving one saves the bullet.
constexpr std::array<std::string_view, 3> kBulletFields = {"bullet_x_eidt", "bullet_y_eidt",
                                                           "bullet_delay_eidt"};
constexpr std::array<std::string_view, 2> kDirectionChecks = {"bullet_x_check", "bullet_y_check"};

} // namespace

GunPanelRoutes::Target GunPanelRoutes::current() const {
    Target target;
    target.mouse = dynamic_cast<device::CKestraneMouseDevice*>(
        hooks_.currentDevice ? hooks_.currentDevice() : nullptr);
    target.panel = target.mouse != nullptr ? target.mouse->gunPanel() : nullptr;
    return target;
}

std::optional<std::string> GunPanelRoutes::chooseFile(bool save) const {
    if (!hooks_.chooseFile) {
        return std::nullopt;
    }
    ui::FileDialogRequest request;
    request.save = save;
    request.filter = CShootControlUI::kFileFilter;
    std::optional<std::string> path = hooks_.chooseFile(request);
    if (path && path->empty()) {
        return std::nullopt;
    }
    return path;
}

void GunPanelRoutes::ResetGun() {
    if (!current() || (hooks_.confirm && !hooks_.confirm(kConfirmResetKey))) {
        return;
    }
    // The box ran modally: take the panel anew.
    if (const Target target = current()) {
        target.panel->ResetGun(target.panel->gun());
    }
}

void GunPanelRoutes::UseChosenFile(
    bool save, const std::function<void(CShootControlUI&, const std::string&)>& use) {
    if (!current()) {
        return;
    }
    const std::optional<std::string> path = chooseFile(save);
    // The dialog ran modally: take the panel anew.
    if (const Target target = current(); target && path) {
        use(*target.panel, *path);
    }
}

void GunPanelRoutes::registerOn(ui::NotificationRouter& router) {
    using namespace ui::notify;
    const auto withPanel = [this](auto action) {
        return [this, action](const ui::Notification&) {
            if (const Target target = current()) {
                action(*target.panel);
            }
        };
    };
    router.onFamily(kSelectChanged, "shoot_gun_op_", [this](const ui::Notification&, int gun) {
        if (const Target target = current()) {
            target.panel->SelectGun(gun);
            target.panel->ShowBullet();
        }
    });
    router.onFamily(kSelectChanged, "bullet_op_", [this](const ui::Notification&, int bullet) {
        if (const Target target = current()) {
            target.panel->SelectBullet(bullet);
        }
    });
    router.on(kClick, "bullet_selected_prev",
              withPanel([](CShootControlUI& panel) { panel.SelectBullet(panel.bullet() - 1); }));
    router.on(kClick, "bullet_selected_next",
              withPanel([](CShootControlUI& panel) { panel.SelectBullet(panel.bullet() + 1); }));
    for (const std::string_view check : kDirectionChecks) {
        router.on(kSelectChanged, check,
                  withPanel([](CShootControlUI& panel) { panel.ShowDirectionCaptions(); }));
    }
    for (const std::string_view field : kBulletFields) {
        router.on(kKillFocus, field, withPanel([](CShootControlUI& panel) { panel.SaveBullet(); }));
    }
    router.on(kClick, "shootdate_reset_btn", [this](const ui::Notification&) { ResetGun(); });
    router.on(kClick, "shootdate_import_btn", [this](const ui::Notification&) {
        UseChosenFile(false,
                      [](CShootControlUI& panel, const std::string& path) { panel.Import(path); });
    });
    router.on(kClick, "shootdate_export_btn", [this](const ui::Notification&) {
        UseChosenFile(true,
                      [](CShootControlUI& panel, const std::string& path) { panel.Export(path); });
    });
    router.on(kClick, "shootdate_save_btn", [this](const ui::Notification&) {
        if (const Target target = current()) {
            target.mouse->WriteGunKeyData();
        }
    });
}

} // namespace morva::app
