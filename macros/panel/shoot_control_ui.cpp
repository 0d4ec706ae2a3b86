#include "macros/panel/shoot_control_ui.h"

#include "base/json_file.h"
#include "macros/gun_files.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/option.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace morva::macros {
namespace {

constexpr std::string_view kGunOption = "shoot_gun_op_";
constexpr std::string_view kBulletOption = "bullet_op_";
constexpr std::string_view kGunPictures = "shoot_image_display_switch";
constexpr std::string_view kBulletNumber = "bullet_select_index";
constexpr std::string_view kHorizontalCheck = "bullet_x_check";
constexpr std::string_view kVerticalCheck = "bullet_y_check";
constexpr std::string_view kHorizontalField = "bullet_x_eidt";
constexpr std::string_view kVerticalField = "bullet_y_eidt";
constexpr std::string_view kDelayField = "bullet_delay_eidt";

constexpr std::string_view kBoundNames[] = {
    kGunPictures,     kBulletNumber,  kHorizontalCheck, kVerticalCheck,
    kHorizontalField, kVerticalField, kDelayField,
};

// The caption of each check when selected and when not.
struct DirectionCaptions {
    std::string_view check;
    std::string_view selected;
    std::string_view cleared;
};
constexpr DirectionCaptions kCaptions[] = {
    {kHorizontalCheck, "mouse_move_to_left_text", "mouse_move_to_right_text"},
    {kVerticalCheck, "mouse_move_to_up_text", "mouse_move_to_down_text"},
};

std::vector<ui::ControlRef> numberedControls(const ui::Container& panel, std::string_view prefix,
                                             int count) {
    std::vector<ui::ControlRef> found;
    for (int n = 0; n < count; ++n) {
        ui::Control* control = panel.findDescendant(std::string(prefix) + std::to_string(n));
        found.push_back(control != nullptr ? control->ref() : ui::ControlRef());
    }
    return found;
}

} // namespace

template <typename T> T* CShootControlUI::control(std::string_view name) const {
    const auto found = controls_.find(name);
    return found != controls_.end() ? dynamic_cast<T*>(found->second.get()) : nullptr;
}

void CShootControlUI::Start(std::filesystem::path dataFolder, std::filesystem::path defaultFolder) {
    dataFolder_ = std::move(dataFolder);
    defaultFolder_ = std::move(defaultFolder);
    bindControls();
    restoreMissingGunFiles(dataFolder_, defaultFolder_);
    SelectGun(0);
    SelectBullet(0);
}

void CShootControlUI::bindControls() {
    controls_.clear();
    for (const std::string_view name : kBoundNames) {
        if (ui::Control* found = findDescendant(name)) {
            controls_.emplace(name, found->ref());
        }
    }
    gunOptions_ = numberedControls(*this, kGunOption, kGunCount);
    bulletOptions_ = numberedControls(*this, kBulletOption, kBulletsPerGun);
}

std::filesystem::path CShootControlUI::gunFile() const {
    return gunFilePath(dataFolder_, gun_);
}

void CShootControlUI::selectOnly(const std::vector<ui::ControlRef>& options, int index) {
    for (size_t n = 0; n < options.size(); ++n) {
        if (auto* option = dynamic_cast<ui::Option*>(options[n].get())) {
            option->setSelected(static_cast<int>(n) == index, false);
        }
    }
}

void CShootControlUI::SelectGun(int gun) {
    gun_ = std::clamp(gun, 0, kGunCount - 1);
    selectOnly(gunOptions_, gun_);
    if (auto* pictures = control<ui::TabLayout>(kGunPictures)) {
        pictures->selectItem(gun_);
    }
}

void CShootControlUI::SelectBullet(int bullet) {
    bullet_ = std::clamp(bullet, 0, kBulletsPerGun - 1);
    selectOnly(bulletOptions_, bullet_);
    if (ui::Control* number = control<ui::Control>(kBulletNumber)) {
        number->setText(std::to_string(bullet_ + 1));
    }
    ShowBullet();
}

void CShootControlUI::showCheck(std::string_view check, bool selected) {
    if (auto* box = control<ui::Option>(check)) {
        box->setSelected(selected, false);
    }
}

void CShootControlUI::showNumber(std::string_view field, int value) {
    if (ui::Control* edit = control<ui::Control>(field)) {
        edit->setText(std::to_string(value));
    }
}

void CShootControlUI::ShowBullet() {
    const GunBullet shown = readGunBullet(readGunDocument(dataFolder_, gun_), bullet_);
    showCheck(kHorizontalCheck, shown.left);
    showCheck(kVerticalCheck, shown.up);
    ShowDirectionCaptions();
    showNumber(kHorizontalField, shown.horizontal);
    showNumber(kVerticalField, shown.vertical);
    showNumber(kDelayField, shown.delayMs);
}

bool CShootControlUI::checkSelected(std::string_view check) const {
    const auto* box = control<ui::Option>(check);
    return box != nullptr && box->selected();
}

int CShootControlUI::numberIn(std::string_view field) const {
    const ui::Control* edit = control<ui::Control>(field);
    const std::string text = edit != nullptr ? edit->text() : std::string();
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? value : 0;
}

void CShootControlUI::SaveBullet() {
    if (bullet_ < 0) {
        return;
    }
    Json::Value document = readGunDocument(dataFolder_, gun_);
    writeGunBullet(document, bullet_,
                   {.left = checkSelected(kHorizontalCheck),
                    .up = checkSelected(kVerticalCheck),
                    .horizontal = numberIn(kHorizontalField),
                    .vertical = numberIn(kVerticalField),
                    .delayMs = numberIn(kDelayField)});
    writejsonFile(gunFile(), document);
}

void CShootControlUI::ShowDirectionCaptions() {
    for (const DirectionCaptions& captions : kCaptions) {
        if (ui::Control* box = control<ui::Control>(captions.check)) {
            box->setTextKey(checkSelected(captions.check) ? captions.selected : captions.cleared);
        }
    }
}

void CShootControlUI::ResetGun(int gun) {
    restoreGunFile(dataFolder_, defaultFolder_, std::clamp(gun, 0, kGunCount - 1));
    SelectBullet(bullet_);
}

void CShootControlUI::Import(const std::filesystem::path& source) {
    copyFileText(source, gunFile());
    SelectBullet(bullet_);
}

void CShootControlUI::Export(const std::filesystem::path& target) const {
    copyFileText(gunFile(), target);
}

} // namespace morva::macros
