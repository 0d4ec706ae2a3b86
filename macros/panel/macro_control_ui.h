#pragma once

#include "macros/macro_recorder.h"
#include "macros/panel/macro_panel_binding.h"
#include "macros/panel/mouse_insert_items.h"
#include "ui/toolkit/container.h"

#include <filesystem>
#include <json/value.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morva::ui {
class List;
}

namespace morva::macros {

// How a renaming ended.
enum class RenameOutcome {
    Renamed,
    NothingToDo, // no macro selected, or no name typed
    NameTaken,   // a macro has the name already, letter case aside: the user is told
    NotWritten,  // the list file could not be changed
};

struct RenameResult {
    RenameOutcome outcome = RenameOutcome::NothingToDo;
    int number = -1; // the macro renamed
    std::string name;
};

struct ImportResult {
    std::string name;       // the new macro's, empty when none was added
    bool notAMacro = false; // the file cannot be read, or holds no macro
};

// Where the move buttons take the selected event.
enum class EventMove { Up, Down, Top, Bottom };

// The macro panel of a keyboard or mouse page: the device's macros ("macro_name_list", one row per
// entry of its list file, the identifier as user data) and the events of the selected one
// ("macro_action_list"). Every structural change of the events is saved at once by the caller;
// typed pauses wait for "macro_btn_save" or the field losing the focus. The main window routes the
// notifications here and does what involves other parts (key assignments, dialogs, messages).
class CMacroControlUI : public ui::HorizontalLayout, public MacroPanelBinding {
public:
    static constexpr std::string_view kSkinTag = "MacroControl";
    static constexpr std::string_view kFactoryName = "CMacroControlUI";
    static constexpr std::string_view kPanelName = "MacroControlItem";
    // After a recorded event the list scrolls to the selected row, once the row is laid out.
    static constexpr int kScrollTimer = 4101;
    static constexpr TickMs kScrollDelayMs = 50;
    static constexpr std::string_view kFixedTimeField = "macro_fixed_time_edit";

    std::string_view className() const override { return kSkinTag; }

    // MacroPanelBinding
    std::vector<std::string> LoadMacroList(const std::filesystem::path& folder) override;

    // --- The macro list ---------------------------------------------------------------------
    // The events of the selected macro replace the list's; a missing file gives none.
    void LoadSelectedMacro();
    // A new macro named "macro_<n>" (the first n no macro has, letter case aside) at the end,
    // selected; its name, or empty when the list is full or the files could not be changed.
    std::string AddMacro();
    // Renames the selected macro to the name typed in "macro_edit_macroname".
    RenameResult RenameMacro();
    // Removes the selected macro, its file and entry, and selects the first macro; the caller
    // has asked the user and repaired the keys. False when nothing was removed.
    bool DeleteSelectedMacro();
    // Writes the selected macro's file from the rows, with the pauses of their fields.
    void Save();
    // Copies the selected macro's file as it is (nothing is saved first).
    bool ExportSelectedMacro(const std::filesystem::path& to);
    // A new macro, as AddMacro, with a copy of the file's text, loaded. A file that is no macro
    // is refused, and so is any file while the list is full.
    ImportResult ImportMacro(const std::filesystem::path& from);

    int SelectedMacro() const;
    size_t MacroCount() const;
    std::string SelectedMacroIdentifier() const;
    const std::filesystem::path& macroFolder() const { return folder_; }
    // The names as the list was loaded (at device start).
    const std::vector<std::string>& loadedMacroNames() const { return loadedNames_; }

    // --- The events -------------------------------------------------------------------------
    void MoveEvent(EventMove move);
    void DeleteEvent();
    void DeleteAllEvents();
    // Inserts the item's events after the selected one (after the first when none is), with the
    // constant time as their pause, and selects the last.
    void InsertMouseEvent(const MouseInsertItem& item);
    int SelectedEvent() const;
    size_t EventCount() const;

    // --- Recording --------------------------------------------------------------------------
    // Starts measuring (the constant time read from "macro_fixed_time_edit") and locks the
    // lists and the editing controls; the stop button shows.
    void StartRecording(RecordTimeMode mode);
    // Lifts the lock; the caller saves.
    void StopRecording();
    bool recording() const { return recording_; }
    // A recorded key or button at its place; dropped when the list is full or an insert has no
    // selected event.
    void PlaceRecordedInput(Placement placement, const RecordedInput& input);
    // The selected event takes the key or button, keeping its action and pause.
    void ReplaceSelectedInput(const RecordedInput& input);
    // Where "macro_btn_stopredio" lies in the window, as last laid out.
    ui::Rect StopButtonRect() const;
    uint32_t constantTimeMs() const { return recorder_.constantTimeMs(); }

protected:
    void handleEvent(const ui::UiEvent& e) override;

private:
    ui::List* macroList() const;
    ui::List* eventList() const;
    // The fixed time and the movement distances start filled in.
    void showFieldDefaults();
    void appendMacroRow(const std::string& name, const std::string& identifier);
    void selectMacro(int index);
    void showEvents(const std::vector<MacroEvent>& events);
    void insertEventRow(size_t index, const Json::Value& event);
    bool nameShown(std::string_view name) const;
    std::string newMacroName() const;
    struct NewMacro {
        std::string name;
        std::string identifier;
    };
    // A macro of the next free name at the end of the list, with its file; none when the list
    // is full or the files cannot be changed.
    std::optional<NewMacro> addNewMacro();
    // The added macro's row, selected and loaded.
    std::string showAddedMacro(const std::string& name, const std::string& identifier);
    void setDelay(ui::Control& row, uint32_t delayMs);
    void lockForRecording(bool locked);

    std::filesystem::path folder_;
    std::vector<std::string> loadedNames_;
    MacroRecorder recorder_;
    bool recording_ = false;
};

} // namespace morva::macros
