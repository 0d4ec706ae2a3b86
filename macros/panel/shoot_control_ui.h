#pragma once

#include "macros/gun_document.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/control_ref.h"

#include <array>
#include <filesystem>
#include <map>
#include <string_view>
#include <vector>

namespace morva::macros {

// The gun-key panel of a mouse page: a gun and one of its 30 bullets are chosen with options, the
// bullet's directions, distances and delay are shown and saved into the gun's file when a field
// loses the focus, and a gun file can be reset to its factory pattern, imported and exported.
// A control the skin lacks makes the operations on it do nothing.
class CShootControlUI : public ui::HorizontalLayout {
public:
    static constexpr std::string_view kSkinTag = "ShootControl";
    static constexpr std::string_view kFactoryName = "CShootControlUI";
    static constexpr std::string_view kPanelName = "ShootControlItem";
    // The open and save dialogs of import and export.
    static constexpr std::string_view kFileFilter = "Shoot Files(*.shoot)";

    std::string_view className() const override { return kSkinTag; }

    // Takes the mouse's folders and the controls, brings back the factory file of every gun
    // whose file is missing or unreadable, then shows bullet 0 of gun 0.
    void Start(std::filesystem::path dataFolder, std::filesystem::path defaultFolder);

    // Selects the gun (clamped to 0 to 3) and its picture; the bullet number stays and the
    // fields are left as they are.
    void SelectGun(int gun);
    // Selects the bullet (clamped to 0 to 29), shows its number from 1 and its values.
    void SelectBullet(int bullet);
    // The checks and fields show the selected bullet of the selected gun's file.
    void ShowBullet();
    // The checks and fields become the selected bullet in the selected gun's file; a field that
    // holds no number saves 0.
    void SaveBullet();
    // Each direction check's caption names the direction its state stands for.
    void ShowDirectionCaptions();

    // The factory pattern replaces the gun's file; the selected bullet shows again.
    void ResetGun(int gun);
    // The file's text replaces the selected gun's file unchanged; the selected bullet shows
    // again.
    void Import(const std::filesystem::path& source);
    // The selected gun's file, unchanged, to the path.
    void Export(const std::filesystem::path& target) const;

    int gun() const { return gun_; }
    int bullet() const { return bullet_; }
    std::filesystem::path gunFile() const;

private:
    template <typename T> T* control(std::string_view name) const;
    void bindControls();
    void selectOnly(const std::vector<ui::ControlRef>& options, int index);
    void showCheck(std::string_view check, bool selected);
    void showNumber(std::string_view field, int value);
    bool checkSelected(std::string_view check) const;
    int numberIn(std::string_view field) const;

    std::filesystem::path dataFolder_;
    std::filesystem::path defaultFolder_;
    std::map<std::string_view, ui::ControlRef, std::less<>> controls_;
    std::vector<ui::ControlRef> gunOptions_;
    std::vector<ui::ControlRef> bulletOptions_;
    int gun_ = 0;
    int bullet_ = -1;
};

} // namespace morva::macros
