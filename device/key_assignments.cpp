#include "device/key_assignments.h"

#include "base/json_file.h"
#include "hid/hid_model_tables.h"
#include "keyassign/key_captions.h"
#include "keyassign/key_list_repair.h"
#include "keyassign/panel/key_set_control_ui.h"
#include "ui/controls/device_key_button.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/language_store.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <algorithm>

namespace morva::device {
namespace {

using profiles::AssignmentCode;
using profiles::KeyAssignmentRecord;

constexpr AssignmentCode kLeftButton = AssignmentCode::mouseButton(0x01);

// The translated captions of the keys, joined as a combination reads: "Ctrl+C".
std::string joinedCaption(const ui::Control& button, const keyassign::KeyCaption& caption) {
    std::string text;
    for (const std::string_view key : caption.keys) {
        text += text.empty() ? "" : "+";
        const ui::Window* window = button.window();
        const auto translated =
            window != nullptr ? window->toolkit().language().lookup(key) : std::nullopt;
        text += translated ? *translated : std::string(key);
    }
    return text;
}

void showCaption(ui::Control& button, const keyassign::KeyCaption& caption) {
    using Source = keyassign::KeyCaption::Source;
    switch (caption.source) {
    case Source::Unchanged:
        return;
    case Source::Literal:
        button.setText(caption.literal);
        return;
    case Source::LanguageKeys:
        if (caption.keys.size() == 1) {
            button.setTextKey(caption.keys.front()); // follows the language
        } else {
            button.setText(joinedCaption(button, caption));
        }
        return;
    }
}

} // namespace

void KeyAssignments::bind(ui::Container& page, uint16_t deviceType,
                          profiles::CBasicProfiledata& profile) {
    deviceType_ = deviceType;
    profile_ = &profile;
    auto* found = dynamic_cast<keyassign::CKeySetControlUI*>(page.findDescendant(kPanelName));
    panel_ = found != nullptr ? found->ref() : ui::ControlRef();
    if (found != nullptr) {
        found->BindControls();
        found->SetDeviceType(deviceType);
        found->SetMacroNames(macroNames_);
    }
}

keyassign::CKeySetControlUI* KeyAssignments::panel() const {
    return dynamic_cast<keyassign::CKeySetControlUI*>(panel_.get());
}

void KeyAssignments::load() {
    if (profile_ != nullptr) {
        keys_ = profile_->ReadKeyList();
    }
}

void KeyAssignments::setMacroNames(std::vector<std::string> names) {
    macroNames_ = std::move(names);
    if (keyassign::CKeySetControlUI* shown = panel()) {
        shown->SetMacroNames(macroNames_);
    }
}

KeyAssignments::Selection KeyAssignments::select(int position,
                                                 const std::filesystem::path& profilePath) {
    if (readjsonFile(profilePath).isNull()) {
        return Selection::NoProfile;
    }
    if (position < 0 || static_cast<size_t>(position) >= keys_.size()) {
        return Selection::NoKey;
    }
    const KeyAssignmentRecord& record = keys_[static_cast<size_t>(position)];
    if (deviceType_ == hid::kDeviceMouse && record.assignment.code == kLeftButton) {
        const auto leftButtons =
            std::count_if(keys_.begin(), keys_.end(), [](const KeyAssignmentRecord& key) {
                return key.assignment.code == kLeftButton;
            });
        if (leftButtons == 1) {
            return Selection::LastLeftButton;
        }
    }
    selected_ = position;
    if (keyassign::CKeySetControlUI* shown = panel()) {
        shown->setVisible(true);
        shown->SetKeyRecord(record);
    }
    return Selection::Selected;
}

bool KeyAssignments::storeSelected(const KeyAssignmentRecord& record) {
    if (selected_ < 0 || static_cast<size_t>(selected_) >= keys_.size()) {
        return false;
    }
    KeyAssignmentRecord& stored = keys_[static_cast<size_t>(selected_)];
    stored.assignment.code = record.assignment.code;
    writeToProfile();
    return true;
}

bool KeyAssignments::resetLostMacros() {
    const bool changed = keyassign::resetKeysOfLostMacros(keys_, macroNames_.size());
    if (changed) {
        writeToProfile();
    }
    return changed;
}

bool KeyAssignments::usesMacro(int number) const {
    return keyassign::keysUseMacro(keys_, number);
}

bool KeyAssignments::removeMacro(int number) {
    const bool changed = keyassign::repairKeysForRemovedMacro(keys_, number);
    if (changed) {
        writeToProfile();
    }
    return changed;
}

void KeyAssignments::restoreFactory() {
    for (KeyAssignmentRecord& key : keys_) {
        key.assignment = key.defaultAssignment;
    }
    writeToProfile();
    if (keyassign::CKeySetControlUI* shown = panel();
        shown != nullptr && selected_ >= 0 && static_cast<size_t>(selected_) < keys_.size()) {
        shown->SetKeyRecord(keys_[static_cast<size_t>(selected_)]);
    }
}

void KeyAssignments::writeToProfile() {
    if (profile_ != nullptr) {
        profile_->WriteKeyList(keys_);
    }
}

void KeyAssignments::refreshCaptions(const KeyButtonAt& keyButtonAt) const {
    for (size_t position = 0; position < keys_.size(); ++position) {
        ui::Control* button = keyButtonAt(position);
        if (button == nullptr) {
            continue;
        }
        showCaption(*button, keyassign::keyCaption(keys_[position].assignment.code, macroNames_));
        if (auto* key = dynamic_cast<ui::CDeviceKeyButtonUI*>(button)) {
            key->setKeySelected(static_cast<int>(position) == selected_);
        }
    }
}

} // namespace morva::device
