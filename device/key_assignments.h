#pragma once

#include "profiles/basic_profiledata.h"
#include "profiles/profile_records.h"
#include "ui/toolkit/control_ref.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace morva::ui {
class Container;
class Control;
} // namespace morva::ui
namespace morva::keyassign {
class CKeySetControlUI;
}

namespace morva::device {

// The key list of a keyboard or mouse page and what the page does with it: the key the user
// selected for the key-assignment panel, the captions of the key buttons, and the list kept in
// step with the profile.
class KeyAssignments {
public:
    static constexpr std::string_view kPanelName = "KeySetControlItem";

    // What selecting a key came to.
    enum class Selection {
        Selected,
        LastLeftButton, // the mouse's only left button cannot be given another function
        NoProfile,      // the profile file cannot be read
        NoKey,          // no key at that position
    };

    // Finds the page's key-assignment panel and tells it the device type; the list is kept in
    // step with `profile`, the device's profile object, which outlives this.
    void bind(ui::Container& page, uint16_t deviceType, profiles::CBasicProfiledata& profile);
    keyassign::CKeySetControlUI* panel() const;

    // Takes the key list of the profile.
    void load();
    const std::vector<profiles::KeyAssignmentRecord>& keys() const { return keys_; }
    void setMacroNames(std::vector<std::string> names);
    // The names the captions use, the panel's choices left as they are (the panel keeps those in
    // step with each change of the list itself).
    void reloadMacroNames(std::vector<std::string> names) { macroNames_ = std::move(names); }
    const std::vector<std::string>& macroNames() const { return macroNames_; }

    // Makes the key at `position` the one the panel edits (the panel shows it).
    Selection select(int position, const std::filesystem::path& profilePath);
    int selected() const { return selected_; }
    // Stores the record at the selected key and hands the whole list to the profile. False
    // without a selected key.
    bool storeSelected(const profiles::KeyAssignmentRecord& record);
    // Keys given a macro the list no longer has get their factory function back; the list goes
    // to the profile when one changed. True when one changed.
    bool resetLostMacros();
    // Whether a key is given macro `number`.
    bool usesMacro(int number) const;
    // Macro `number` left the list: its keys get their factory function back and keys of later
    // macros follow theirs; the list goes to the profile when one changed. True when one changed.
    bool removeMacro(int number);

    // Every key gets its factory function back; the list goes to the profile.
    void restoreFactory();

    // Gives each key button (found by its position) the caption of its current code.
    using KeyButtonAt = std::function<ui::Control*(size_t position)>;
    void refreshCaptions(const KeyButtonAt& keyButtonAt) const;

private:
    void writeToProfile();

    std::vector<profiles::KeyAssignmentRecord> keys_;
    std::vector<std::string> macroNames_;
    ui::ControlRef panel_;
    profiles::CBasicProfiledata* profile_ = nullptr;
    uint16_t deviceType_ = 0;
    int selected_ = -1;
};

} // namespace morva::device
