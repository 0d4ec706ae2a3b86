#include "keyassign/panel/key_set_control_ui.h"

#include "base/text.h"
#include "keyassign/key_catalogue.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/language_store.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <charconv>

namespace morva::keyassign {
namespace {

using profiles::AssignmentCode;

constexpr std::string_view kEditor = "keyset_layout";
constexpr std::string_view kFunctionList = "keyset_function_combo";
constexpr std::string_view kDefaultButton = "key_butt_keydefalut";
constexpr std::string_view kSaveButton = "key_butt_keysave";
constexpr std::string_view kCancelButton = "key_butt_keycancel";
constexpr std::string_view kWriteButton = "key_butt_prosave";
constexpr std::string_view kPages = "function_switch_tablayout";
constexpr std::string_view kMouseButtons = "keyset_mousekey_combo";
constexpr std::string_view kSwingDirection = "keyset_mouseswing_combo";
constexpr std::string_view kSwingCount = "keyset_mouseswing_num_edit";
constexpr std::string_view kSwingDelay = "keyset_mouseswing_delay_edit";
constexpr std::string_view kSwingSpeed = "keyset_mouseswing_speed_edit";
constexpr std::string_view kWheelDirection = "keyset_mousewheel_combo";
constexpr std::string_view kWheelCount = "keyset_mousewheel_num_edit";
constexpr std::string_view kWheelDelay = "keyset_mousewheel_delay_edit";
constexpr std::string_view kWheelSpeed = "keyset_mousewheel_speed_edit";
constexpr std::string_view kDpiFunctions = "keyset_mousedpi_combo";
constexpr std::string_view kFireInterval = "keyset_mousefire_interval_edit";
constexpr std::string_view kFireCount = "keyset_mousefire_num_edit";
constexpr std::string_view kKeyField = "keyset_keyboard_text_edit";
constexpr std::string_view kMediaKeys = "keyset_media_combo";
constexpr std::string_view kSystemKeys = "keyset_system_combo";
constexpr std::string_view kMacros = "keyset_macro_combo";
constexpr std::string_view kPlayback = "keyset_macro_over_combo";
constexpr std::string_view kCycleLayout = "keyset_macro_cycle_layout";
constexpr std::string_view kCycleCount = "keyset_macro_cycle_edit";
constexpr std::string_view kGuns = "keyset_gunkey_combo";
constexpr std::string_view kShortcuts = "keyset_combokey_combo";
constexpr std::string_view kTranslator = "text_test";
constexpr std::string_view kModifierOption = "key_ComBox_check_";

constexpr std::string_view kBoundNames[] = {
    kEditor,         kFunctionList, kDefaultButton,  kSaveButton, kCancelButton, kWriteButton,
    kPages,          kMouseButtons, kSwingDirection, kSwingCount, kSwingDelay,   kSwingSpeed,
    kWheelDirection, kWheelCount,   kWheelDelay,     kWheelSpeed, kDpiFunctions, kFireInterval,
    kFireCount,      kKeyField,     kMediaKeys,      kSystemKeys, kMacros,       kPlayback,
    kCycleLayout,    kCycleCount,   kGuns,           kShortcuts,
};

constexpr int kMacroRowHeight = 30;

std::string modifierOptionName(int option) {
    return std::string(kModifierOption) + std::to_string(option);
}

} // namespace

template <typename T> T* CKeySetControlUI::control(std::string_view name) const {
    const auto found = controls_.find(name);
    return found != controls_.end() ? dynamic_cast<T*>(found->second.get()) : nullptr;
}

void CKeySetControlUI::BindControls() {
    controls_.clear();
    for (const std::string_view name : kBoundNames) {
        if (ui::Control* found = findDescendant(name)) {
            controls_.emplace(name, found->ref());
        }
    }
}

void CKeySetControlUI::SetDeviceType(uint16_t deviceType) {
    deviceType_ = deviceType;
    auto* functions = control<ui::Combo>(kFunctionList);
    if (functions == nullptr) {
        return;
    }
    // A keyboard has no DPI steps and no gun patterns.
    for (const int hidden : {category::kDpi, category::kGun}) {
        const int item = functions->findByUserData(std::to_string(hidden));
        if (item >= 0) {
            functions->setItemVisible(static_cast<size_t>(item), deviceType != 1);
        }
    }
}

void CKeySetControlUI::SetMacroNames(const std::vector<std::string>& names) {
    // The list is made anew, so a second call (the device came back) does not repeat names.
    macroNames_.clear();
    if (auto* macros = control<ui::Combo>(kMacros)) {
        macros->clear();
    }
    for (const std::string& name : names) {
        AddMacroName(name);
    }
    selectIn(kMacros, -1);
}

void CKeySetControlUI::AddMacroName(const std::string& name) {
    macroNames_.push_back(name);
    if (auto* macros = control<ui::Combo>(kMacros)) {
        const size_t item = macros->addItem(name);
        macros->setItemHeight(item, kMacroRowHeight);
    }
}

void CKeySetControlUI::RemoveMacroName(int index) {
    if (index < 0 || static_cast<size_t>(index) >= macroNames_.size()) {
        return;
    }
    macroNames_.erase(macroNames_.begin() + index);
    if (auto* macros = control<ui::Combo>(kMacros)) {
        macros->removeItem(static_cast<size_t>(index));
    }
}

void CKeySetControlUI::RenameMacroName(int index, const std::string& name) {
    if (index < 0 || static_cast<size_t>(index) >= macroNames_.size() || name.empty()) {
        return;
    }
    macroNames_[static_cast<size_t>(index)] = name;
    if (auto* macros = control<ui::Combo>(kMacros)) {
        macros->setItemText(static_cast<size_t>(index), name);
    }
}

void CKeySetControlUI::SetKeyRecord(const profiles::KeyAssignmentRecord& record) {
    record_ = record;
    ShowAssignment(record_.assignment.code);
}

void CKeySetControlUI::ShowDefault() {
    ShowAssignment(record_.defaultAssignment.code);
}

void CKeySetControlUI::ShowCurrent() {
    ShowAssignment(record_.assignment.code);
}

void CKeySetControlUI::ShowAssignment(const AssignmentCode& half) {
    applyView(showAssignment(half, record_.defaultAssignment.code, macroNames_.size()));
}

void CKeySetControlUI::applyView(const AssignmentView& view) {
    if (view.heldCurrent) {
        record_.assignment.code = *view.heldCurrent;
    }
    const auto selectIfSet = [this](std::string_view combo, const std::optional<int>& index) {
        if (index) {
            selectIn(combo, *index);
        }
    };
    const auto setIfSet = [this](std::string_view edit, const std::optional<std::string>& text) {
        if (text) {
            setTextOf(edit, *text);
        }
    };
    selectIfSet(kMouseButtons, view.mouseButton);
    for (const auto& [pace, names] :
         {std::pair{&view.swing,
                    std::array{kSwingDirection, kSwingCount, kSwingDelay, kSwingSpeed}},
          std::pair{&view.wheel,
                    std::array{kWheelDirection, kWheelCount, kWheelDelay, kWheelSpeed}}}) {
        if (*pace) {
            selectIn(names[0], (*pace)->direction);
            setTextOf(names[1], (*pace)->count);
            setTextOf(names[2], (*pace)->delay);
            setTextOf(names[3], (*pace)->speed);
        }
    }
    selectIfSet(kDpiFunctions, view.dpiFunction);
    setIfSet(kFireInterval, view.fireInterval);
    setIfSet(kFireCount, view.fireCount);
    if (view.modifier) {
        SetModifierCheck(*view.modifier);
    }
    if (view.keyCaption) {
        SetKeyText(*view.keyCaption);
    }
    selectIfSet(kMediaKeys, view.media);
    selectIfSet(kSystemKeys, view.system);
    selectIfSet(kMacros, view.macro);
    selectIfSet(kPlayback, view.macroPlayback);
    if (view.macroCycleVisible) {
        showControl(kCycleLayout, *view.macroCycleVisible);
    }
    setIfSet(kCycleCount, view.macroCycleCount);
    selectIfSet(kGuns, view.gun);
    selectIfSet(kShortcuts, view.shortcut);

    auto* functions = control<ui::Combo>(kFunctionList);
    const int item = view.category && functions != nullptr
                         ? functions->findByUserData(std::to_string(*view.category))
                         : -1;
    if (item < 0) {
        showControl(kEditor, false);
        return;
    }
    showControl(kEditor, true);
    functions->selectItem(item, false);
    if (auto* pages = control<ui::TabLayout>(kPages)) {
        pages->selectItem(*view.category);
    }
}

int CKeySetControlUI::SelectedCategory() const {
    const auto* functions = control<ui::Combo>(kFunctionList);
    const int selected = functions != nullptr ? functions->selectedIndex() : -1;
    if (selected < 0) {
        return -1;
    }
    const std::string& data = functions->item(static_cast<size_t>(selected))->userData;
    int category = -1;
    const auto [end, error] = std::from_chars(data.data(), data.data() + data.size(), category);
    return error == std::errc() && end == data.data() + data.size() ? category : -1;
}

AssignmentInputs CKeySetControlUI::readInputs() const {
    AssignmentInputs inputs;
    inputs.category = SelectedCategory();
    inputs.mouseButton = selectedIn(kMouseButtons);
    inputs.swing = {selectedIn(kSwingDirection), textOf(kSwingCount), textOf(kSwingDelay),
                    textOf(kSwingSpeed)};
    inputs.wheel = {selectedIn(kWheelDirection), textOf(kWheelCount), textOf(kWheelDelay),
                    textOf(kWheelSpeed)};
    inputs.dpiFunction = selectedIn(kDpiFunctions);
    inputs.fireInterval = textOf(kFireInterval);
    inputs.fireCount = textOf(kFireCount);
    inputs.modifier = GetModifierCheck();
    inputs.keyTextEmpty = textOf(kKeyField).empty();
    inputs.media = selectedIn(kMediaKeys);
    inputs.system = selectedIn(kSystemKeys);
    inputs.macro = selectedIn(kMacros);
    inputs.macroPlayback = selectedIn(kPlayback);
    inputs.macroCycleCount = textOf(kCycleCount);
    inputs.gun = selectedIn(kGuns);
    inputs.shortcut = selectedIn(kShortcuts);
    return inputs;
}

profiles::KeyAssignmentRecord CKeySetControlUI::BuildAssignment() {
    record_.assignment.code = buildAssignment(readInputs(), record_, macroNames_.size());
    return record_;
}

void CKeySetControlUI::SetModifierCheck(int option) {
    for (int n = 0; n < kModifierOptions; ++n) {
        if (auto* check = findDescendantAs<ui::Option>(modifierOptionName(n))) {
            check->setSelected(n == option, false);
        }
    }
}

int CKeySetControlUI::GetModifierCheck() const {
    for (int n = 0; n < kModifierOptions; ++n) {
        const auto* check = findDescendantAs<ui::Option>(modifierOptionName(n));
        if (check != nullptr && check->selected()) {
            return n;
        }
    }
    return -1;
}

void CKeySetControlUI::SetKeyText(std::string_view captionKey) {
    std::string text;
    if (!captionKey.empty()) {
        // The hidden label translates the key as every other text of the window is.
        if (ui::Control* translator = findDescendant(kTranslator)) {
            translator->setTextKey(captionKey);
            text = translator->text();
        } else {
            text = std::string(captionKey);
        }
    }
    setTextOf(kKeyField, text);
    shownKeyText_ = text;
}

void CKeySetControlUI::SetEditButtonsEnabled(bool enabled) {
    for (const std::string_view name : {kSaveButton, kCancelButton, kWriteButton}) {
        if (auto* button = control<ui::Control>(name)) {
            button->setEnabled(enabled);
        }
    }
}

void CKeySetControlUI::ShowCategoryPage(int categoryNumber) {
    if (auto* pages = control<ui::TabLayout>(kPages)) {
        pages->selectItem(categoryNumber);
    }
    if (categoryNumber == category::kKeyboardKey) {
        SetKeyText("");
        SetModifierCheck(-1);
    }
}

void CKeySetControlUI::ShowPlaybackChoice(int index) {
    showControl(kCycleLayout, index == kMacroRepeatChoice);
}

bool CKeySetControlUI::CaptureKey(size_t catalogueEntry) {
    if (catalogueEntry >= keyCatalogue().size()) {
        return false;
    }
    const KeyCatalogueEntry& entry = keyCatalogue()[catalogueEntry];
    if (entry.code.kind != profiles::assignment_kind::kKeyboardKey) {
        return false;
    }
    if (catalogueEntry < kFirstNonModifierEntry) {
        SetModifierCheck(modifierOptionOfEntry(catalogueEntry));
        BuildAssignment();
        SetKeyText("");
        record_.assignment.code = AssignmentCode::keyboardKey(entry.code.first, 0);
        return true;
    }
    uint8_t modifiers = 0;
    if (GetModifierCheck() == -1) {
        SetModifierCheck(0);
    } else {
        modifiers = BuildAssignment().assignment.code.first;
    }
    SetKeyText(entry.captionKey);
    record_.assignment.code = AssignmentCode::keyboardKey(modifiers, entry.code.second);
    return true;
}

bool CKeySetControlUI::TakeTypedKey() {
    const std::string typed = textOf(kKeyField);
    if (typed == shownKeyText_) {
        return false;
    }
    const ui::LanguageStore* language =
        window() != nullptr ? &window()->toolkit().language() : nullptr;
    for (size_t i = 0; i < keyCatalogue().size(); ++i) {
        const KeyCatalogueEntry& entry = keyCatalogue()[i];
        const std::optional<std::string> caption =
            language != nullptr ? language->lookup(entry.captionKey) : std::nullopt;
        const bool named = equalsIgnoreCase(entry.name, typed) ||
                           (caption && !caption->empty() && equalsIgnoreCase(*caption, typed));
        if (named && CaptureKey(i)) {
            return true;
        }
    }
    setTextOf(kKeyField, shownKeyText_);
    return false;
}

int CKeySetControlUI::selectedIn(std::string_view combo) const {
    const auto* list = control<ui::Combo>(combo);
    return list != nullptr ? list->selectedIndex() : -1;
}

void CKeySetControlUI::selectIn(std::string_view combo, int index) {
    if (auto* list = control<ui::Combo>(combo)) {
        list->selectItem(index, false);
    }
}

std::string CKeySetControlUI::textOf(std::string_view name) const {
    const auto* field = control<ui::Control>(name);
    return field != nullptr ? field->text() : std::string();
}

void CKeySetControlUI::setTextOf(std::string_view name, const std::string& text) {
    if (auto* field = control<ui::Control>(name)) {
        field->setText(text);
    }
}

void CKeySetControlUI::showControl(std::string_view name, bool visible) {
    if (auto* shown = control<ui::Control>(name)) {
        shown->setVisible(visible);
    }
}

} // namespace morva::keyassign
