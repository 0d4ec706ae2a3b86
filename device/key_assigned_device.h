#pragma once

#include "device/key_assignments.h"
#include "keyassign/panel/key_set_control_ui.h"
#include "macros/macro_list.h"
#include "macros/panel/macro_control_ui.h"
#include "ui/toolkit/control_ref.h"

#include <string>

namespace morva::device {

// A device class whose keys the user can give other functions (keyboards and mice): its key
// list comes from the profile whenever the profile is applied, its key buttons show what each
// key does, and keys given a macro that is gone get their factory function back. Its page has a
// macro panel, which shows the device's macros from the start.
template <typename Base> class KeyAssignedDevice : public Base {
public:
    void BindPage() override {
        Base::BindPage();
        auto* panel = this->template findDescendantAs<macros::CMacroControlUI>(
            macros::CMacroControlUI::kPanelName);
        macroPanel_ = panel != nullptr ? panel->ref() : ui::ControlRef();
        keys_.setMacroNames(panel != nullptr ? panel->LoadMacroList(this->UserDataFolder())
                                             : macros::readMacroNames(this->UserDataFolder()));
        keys_.bind(*this, this->deviceType(), this->profile_);
    }
    // The key captions name the macros by the list file, which the macro panel has changed.
    void LoadPanelLists() override {
        keys_.reloadMacroNames(macros::readMacroNames(this->UserDataFolder()));
    }
    void Connect() override {
        this->ApplyProfile();
        RefreshPage();
        Base::Connect();
    }
    int ApplyProfile() override {
        keys_.load();
        return Base::ApplyProfile();
    }
    void RefreshPage() override {
        Base::RefreshPage();
        keys_.refreshCaptions([this](size_t position) { return this->keyButton(position); });
    }
    void ValidateMacroKeys() override {
        if (keys_.resetLostMacros()) {
            RefreshPage();
        }
    }
    void LoadDefaultKeyList() override {
        keys_.restoreFactory();
        this->SaveProfile();
        RefreshPage();
    }
    KeyAssignments* keyAssignments() override { return &keys_; }
    macros::CMacroControlUI* macroPanel() override {
        return dynamic_cast<macros::CMacroControlUI*>(macroPanel_.get());
    }

protected:
    using Base::Base;

    KeyAssignments keys_;
    ui::ControlRef macroPanel_;
};

} // namespace morva::device
