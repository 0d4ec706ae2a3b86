#include "macros/panel/macro_control_ui.h"

#include "base/file_io.h"
#include "base/folder_lock.h"
#include "base/json_file.h"
#include "base/text.h"
#include "macros/macro_document.h"
#include "macros/macro_file.h"
#include "macros/macro_list.h"
#include "macros/macro_list_edits.h"
#include "macros/new_macro.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/list.h"

#include <system_error>

namespace morva::macros {
namespace {

constexpr std::string_view kMacroList = "macro_name_list";
constexpr std::string_view kEventList = "macro_action_list";
constexpr std::string_view kEventLayout = "macro_action_layout";
constexpr std::string_view kNameField = "macro_edit_macroname";
constexpr int kMacroRowHeight = 30;
constexpr std::string_view kDefaultMoveDistance = "10";

} // namespace

ui::List* CMacroControlUI::macroList() const {
    return findDescendantAs<ui::List>(kMacroList);
}

ui::List* CMacroControlUI::eventList() const {
    return findDescendantAs<ui::List>(kEventList);
}

void CMacroControlUI::showFieldDefaults() {
    ui::Edit* fixed = findDescendantAs<ui::Edit>(kFixedTimeField);
    if (fixed != nullptr && fixed->text().empty()) {
        fixed->setText(std::to_string(recorder_.constantTimeMs()));
    }
    for (const MouseInsertItem& item : mouseInsertItems()) {
        ui::Edit* distance =
            item.distanceField.empty() ? nullptr : findDescendantAs<ui::Edit>(item.distanceField);
        if (distance != nullptr && distance->text().empty()) {
            distance->setText(std::string(kDefaultMoveDistance));
        }
    }
}

std::vector<std::string> CMacroControlUI::LoadMacroList(const std::filesystem::path& folder) {
    showFieldDefaults();
    folder_ = folder;
    loadedNames_ = macroNames(readMacroList(folder));
    if (ui::List* list = macroList()) {
        list->selectItem(-1, false);
        list->removeAll();
    }
    for (const MacroListEntry& entry : readMacroList(folder)) {
        appendMacroRow(entry.name, entry.identifier);
    }
    showEvents({});
    return loadedNames_;
}

void CMacroControlUI::appendMacroRow(const std::string& name, const std::string& identifier) {
    ui::List* list = macroList();
    if (list == nullptr) {
        return;
    }
    auto row = std::make_unique<ui::ListLabelElement>();
    row->setFixedHeight(kMacroRowHeight);
    row->setText(name);
    row->setUserData(identifier);
    list->add(std::move(row));
}

int CMacroControlUI::SelectedMacro() const {
    const ui::List* list = macroList();
    return list != nullptr ? list->selectedIndex() : -1;
}

size_t CMacroControlUI::MacroCount() const {
    const ui::List* list = macroList();
    return list != nullptr ? list->count() : 0;
}

std::string CMacroControlUI::SelectedMacroIdentifier() const {
    const int selected = SelectedMacro();
    return selected >= 0 ? macroList()->childAt(static_cast<size_t>(selected))->userData()
                         : std::string();
}

void CMacroControlUI::LoadSelectedMacro() {
    if (SelectedMacro() < 0) {
        showEvents({});
        return;
    }
    const std::string identifier = SelectedMacroIdentifier();
    if (identifier.empty()) {
        return;
    }
    if (ui::Control* layout = findDescendant(kEventLayout)) {
        layout->setEnabled(true);
    }
    showEvents(readMacro(folder_, identifier));
}

void CMacroControlUI::selectMacro(int index) {
    if (ui::List* list = macroList()) {
        list->selectItem(index < static_cast<int>(list->count()) ? index : -1, false);
    }
    LoadSelectedMacro();
}

bool CMacroControlUI::nameShown(std::string_view name) const {
    const ui::List* list = macroList();
    if (list == nullptr) {
        return false;
    }
    for (const auto& row : list->children()) {
        if (equalsIgnoreCase(row->rawText(), name)) {
            return true;
        }
    }
    return false;
}

std::string CMacroControlUI::newMacroName() const {
    for (int n = 1;; ++n) {
        std::string name = "macro_" + std::to_string(n);
        if (!nameShown(name)) {
            return name;
        }
    }
}

std::string CMacroControlUI::showAddedMacro(const std::string& name,
                                            const std::string& identifier) {
    appendMacroRow(name, identifier);
    selectMacro(static_cast<int>(MacroCount()) - 1);
    return name;
}

std::optional<CMacroControlUI::NewMacro> CMacroControlUI::addNewMacro() {
    if (MacroCount() >= kMaxMacros) {
        return std::nullopt;
    }
    const std::string name = newMacroName();
    // The command line may change the list at the same time.
    const FolderLock lock(folder_);
    if (!lock.locked()) {
        return std::nullopt;
    }
    const AddedMacro added = addMacro(folder_, name, {});
    if (!added.ok()) {
        return std::nullopt;
    }
    return NewMacro{name, added.identifier};
}

std::string CMacroControlUI::AddMacro() {
    const std::optional<NewMacro> added = addNewMacro();
    return added ? showAddedMacro(added->name, added->identifier) : std::string();
}

RenameResult CMacroControlUI::RenameMacro() {
    const int selected = SelectedMacro();
    ui::Edit* field = findDescendantAs<ui::Edit>(kNameField);
    if (selected < 0 || field == nullptr || field->text().empty()) {
        return {};
    }
    const std::string name = field->text();
    if (nameShown(name)) {
        return {RenameOutcome::NameTaken, selected, name};
    }
    const FolderLock lock(folder_);
    const MacroListChange change = lock.locked() ? renameMacroEntry(folder_, selected, name)
                                                 : MacroListChange{MacroListStatus::NotWritten};
    if (change.status == MacroListStatus::NameTaken) {
        return {RenameOutcome::NameTaken, selected, name};
    }
    if (!change.ok()) {
        return {RenameOutcome::NotWritten, selected, name};
    }
    macroList()->childAt(static_cast<size_t>(selected))->setText(name);
    field->setText("");
    return {RenameOutcome::Renamed, selected, name};
}

bool CMacroControlUI::DeleteSelectedMacro() {
    const int selected = SelectedMacro();
    if (selected < 0) {
        return false;
    }
    const std::string identifier = SelectedMacroIdentifier();
    const FolderLock lock(folder_);
    if (!lock.locked() || !removeMacroEntry(folder_, selected).ok()) {
        return false;
    }
    std::error_code ignored;
    std::filesystem::remove(macroFilePath(folder_, identifier), ignored);
    ui::List* list = macroList();
    list->remove(list->childAt(static_cast<size_t>(selected)));
    showEvents({});
    selectMacro(0);
    if (list->count() == 0) {
        if (ui::Control* layout = findDescendant(kEventLayout)) {
            layout->setEnabled(false);
        }
    }
    return true;
}

bool CMacroControlUI::ExportSelectedMacro(const std::filesystem::path& to) {
    const std::string identifier = SelectedMacroIdentifier();
    if (identifier.empty()) {
        return false;
    }
    const FileReadResult stored = readRegularFile(macroFilePath(folder_, identifier));
    return stored.ok() && replaceFileAtomically(to, stored.content) == FileWriteStatus::Ok;
}

ImportResult CMacroControlUI::ImportMacro(const std::filesystem::path& from) {
    const FileReadResult file = readRegularFile(from);
    if (!file.ok() || !isMacroDocument(parseJsonText(file.content))) {
        return {{}, true};
    }
    const std::optional<NewMacro> added = addNewMacro();
    if (!added) {
        return {};
    }
    // The file's own name and identifier stay in the copy until the macro is next saved.
    replaceFileAtomically(macroFilePath(folder_, added->identifier), file.content);
    return {showAddedMacro(added->name, added->identifier), false};
}

} // namespace morva::macros
