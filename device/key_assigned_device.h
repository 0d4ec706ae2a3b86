#pragma once

#include "device/key_assignments.h"
#include "keyassign/panel/key_set_control_ui.h"
#include "macros/macro_list.h"

#include <string>

namespace morva::device {

// A device class whose keys the user can give other functions (keyboards and mice): its key
// list comes from the profile whenever the profile is applied, its key buttons show what each
// key does, and keys given a macro that is gone get their factory function back.
template <typename Base> class KeyAssignedDevice : public Base {
public:
    void BindPage() override {
        Base::BindPage();
        keys_.setMacroNames(macros::readMacroNames(this->UserDataFolder()));
        keys_.bind(*this, this->deviceType(), this->profile_);
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

protected:
    using Base::Base;

    KeyAssignments keys_;
};

} // namespace morva::device
