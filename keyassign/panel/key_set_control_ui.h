#pragma once

#include "keyassign/key_set_logic.h"
#include "keyassign/panel/key_set_panel_binding.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/control_ref.h"

#include <map>
#include <string_view>

namespace morva::keyassign {

// The key-assignment panel of a keyboard or mouse page: the function list with one page of
// choices per category, the modifier options and the key field, and the default, cancel, save
// and write buttons. It holds the record of the selected key; the main window turns its edits
// into the device's key list. A control the skin lacks makes the operations on it do nothing.
class CKeySetControlUI : public ui::HorizontalLayout, public KeySetPanelBinding {
public:
    static constexpr std::string_view kSkinTag = "KeySetControl";
    static constexpr std::string_view kFactoryName = "CKeySetControlUI";
    static constexpr int kModifierOptions = 5;

    std::string_view className() const override { return kSkinTag; }

    // KeySetPanelBinding
    void BindControls() override;
    void SetDeviceType(uint16_t deviceType) override;
    void SetMacroNames(const std::vector<std::string>& names) override;
    void SetKeyRecord(const profiles::KeyAssignmentRecord& record) override;
    void SetEditButtonsEnabled(bool enabled) override;

    void AddMacroName(const std::string& name);
    // -1 does nothing.
    void RemoveMacroName(int index);
    // -1 or an empty name does nothing.
    void RenameMacroName(int index, const std::string& name);
    void ShowDefault();
    void ShowCurrent();
    void ShowAssignment(const profiles::AssignmentCode& half);
    // Makes the current half from the controls, holds it and returns the whole record.
    profiles::KeyAssignmentRecord BuildAssignment();
    // Deselects the five modifier options, then selects option n (-1: none).
    void SetModifierCheck(int option);
    int GetModifierCheck() const;
    // Puts the translated caption of a language key into the key field ("" empties it).
    void SetKeyText(std::string_view captionKey);

    // The function list chose category c: its page shows; the keyboard page starts empty.
    void ShowCategoryPage(int category);
    // The playback list chose an entry: the repeat count shows for the repeat entry only.
    void ShowPlaybackChoice(int index);
    // A key pressed while the key field has the focus, as its key catalogue entry. Entries that
    // are no keyboard key (media, system, M and Fn keys) are ignored; false then.
    bool CaptureKey(size_t catalogueEntry);
    // The key field lost the focus after the user typed in it: a key name (or its caption in
    // the current language) takes that key as if it had been pressed; anything else puts the
    // held key's caption back. True when the held key changed.
    bool TakeTypedKey();

    const profiles::KeyAssignmentRecord& keyRecord() const { return record_; }
    const std::vector<std::string>& macroNames() const { return macroNames_; }
    uint16_t deviceType() const { return deviceType_; }
    // The category of the chosen function item; -1 while none is chosen.
    int SelectedCategory() const;

private:
    template <typename T> T* control(std::string_view name) const;
    void applyView(const AssignmentView& view);
    AssignmentInputs readInputs() const;
    int selectedIn(std::string_view combo) const;
    void selectIn(std::string_view combo, int index);
    std::string textOf(std::string_view name) const;
    void setTextOf(std::string_view name, const std::string& text);
    void showControl(std::string_view name, bool visible);

    std::map<std::string_view, ui::ControlRef, std::less<>> controls_;
    profiles::KeyAssignmentRecord record_;
    uint16_t deviceType_ = 0;
    std::vector<std::string> macroNames_;
    // What the key field showed last, so a typed change can be told from it.
    std::string shownKeyText_;
};

} // namespace morva::keyassign
