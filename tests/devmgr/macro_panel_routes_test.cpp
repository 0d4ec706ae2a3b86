#include "device/key_assignments.h"
#include "keyassign/panel/key_set_control_ui.h"
#include "macros/macro_list.h"
#include "tests/devmgr/macro_fixture.h"
#include "tests/support/temp_dir.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/menu.h"

#include <fstream>

// The macro panel's operations as the main window routes them, with what they change elsewhere:
// the key-assignment panel's choices, the keys given macros, message boxes and file dialogs.
namespace morva::devmgr::test {
namespace {

using profiles::AssignmentCode;

class MacroRoutes : public MacroPanelInWindow {
protected:
    std::string englishText(std::string_view key) {
        return toolkit.language().lookup(key).value_or("");
    }
    device::KeyAssignments& keys() { return *device->keyAssignments(); }
    std::vector<std::string> keyPanelMacros() { return keys().panel()->macroNames(); }
    // Gives the key at the position the code, as the key-assignment panel does.
    void assign(int position, AssignmentCode code) {
        ASSERT_EQ(keys().select(position, device->GetProfilePath()),
                  device::KeyAssignments::Selection::Selected);
        profiles::KeyAssignmentRecord record = keys().keys().at(static_cast<size_t>(position));
        record.assignment.code = code;
        ASSERT_TRUE(keys().storeSelected(record));
    }
    AssignmentCode current(size_t position) { return keys().keys().at(position).assignment.code; }
    AssignmentCode factory(size_t position) {
        return keys().keys().at(position).defaultAssignment.code;
    }
    AssignmentCode stored(size_t position) {
        profiles::CBasicProfiledata file;
        file.LoadDeviceEntry(device->GetProfilePath());
        return file.ReadKeyList().at(position).assignment.code;
    }
    void selectMacro(int index) {
        panel->findDescendantAs<ui::List>("macro_name_list")->selectItem(index);
        loop.runPending();
    }
};

TEST_F(MacroRoutes, AddedMacrosBecomeChoicesOfTheKeyPanelAndNameTheirKeys) {
    click("macro_btn_name_add");
    EXPECT_EQ(keyPanelMacros(), (std::vector<std::string>{"macro_1", "macro_2"}));
    EXPECT_EQ(keys().macroNames(), keyPanelMacros());
    assign(3, AssignmentCode::macro(1, 0));
    device->RefreshPage();
    EXPECT_EQ(device->keyButton(3)->text(), "macro_2");

    panel->findDescendantAs<ui::Edit>("macro_edit_macroname")->setText("Jump");
    click("macro_btn_name_edit");
    EXPECT_EQ(keyPanelMacros(), (std::vector<std::string>{"macro_1", "Jump"}));
    EXPECT_EQ(device->keyButton(3)->text(), "Jump") << "the key's caption follows";
    EXPECT_TRUE(host.messageBoxes.empty());
}

TEST_F(MacroRoutes, RenamingToATakenNameIsToldAndChangesNothing) {
    panel->findDescendantAs<ui::Edit>("macro_edit_macroname")->setText("MACRO_1");
    click("macro_btn_name_edit");
    EXPECT_EQ(host.messageBoxes, (std::vector<std::string>{englishText("message_text_5")}));
    EXPECT_EQ(keyPanelMacros(), (std::vector<std::string>{"macro_1"}));
    EXPECT_EQ(macros::readMacroNames(device->UserDataFolder()),
              (std::vector<std::string>{"macro_1"}));
}

TEST_F(MacroRoutes, DeletingTheSecondOfThreeMacrosRepairsTheKeysGivenThem) {
    click("macro_btn_name_add");
    click("macro_btn_name_add");
    assign(2, AssignmentCode::macro(0, 0));
    assign(3, AssignmentCode::macro(1, 0));
    assign(4, AssignmentCode::macroRepeated(2, 7));
    selectMacro(1);

    // Asked first whether to delete, then whether to though keys are given it.
    host.answerMessageBox(1);
    host.answerMessageBox(1);
    click("macro_btn_name_sub");
    EXPECT_EQ(host.messageBoxes, (std::vector<std::string>{englishText("message_text_4"),
                                                           englishText("message_text_2")}));
    EXPECT_EQ(macros::readMacroNames(device->UserDataFolder()),
              (std::vector<std::string>{"macro_1", "macro_3"}));
    EXPECT_EQ(keyPanelMacros(), (std::vector<std::string>{"macro_1", "macro_3"}));
    EXPECT_EQ(current(2), AssignmentCode::macro(0, 0));
    EXPECT_EQ(current(3), factory(3));
    EXPECT_EQ(current(4), AssignmentCode::macroRepeated(1, 7));
    // The profile keeps the repaired keys at once, and the key captions follow.
    EXPECT_EQ(stored(3), factory(3));
    EXPECT_EQ(stored(4), AssignmentCode::macroRepeated(1, 7));
    EXPECT_EQ(device->keyButton(4)->text(), "macro_3");
    EXPECT_EQ(panel->SelectedMacro(), 0);
}

TEST_F(MacroRoutes, DeletingStopsAtEitherQuestion) {
    click("macro_btn_name_add");
    assign(3, AssignmentCode::macro(1, 0));
    host.answerMessageBox(0);
    click("macro_btn_name_sub");
    host.answerMessageBox(1);
    host.answerMessageBox(0);
    click("macro_btn_name_sub");
    EXPECT_EQ(host.messageBoxes.size(), 3u);
    EXPECT_EQ(panel->MacroCount(), 2u);
    EXPECT_EQ(current(3), AssignmentCode::macro(1, 0));
    // A macro no key is given needs only the first answer.
    selectMacro(0);
    host.answerMessageBox(1);
    click("macro_btn_name_sub");
    EXPECT_EQ(host.messageBoxes.size(), 4u);
    EXPECT_EQ(keyPanelMacros(), (std::vector<std::string>{"macro_2"}));
    EXPECT_EQ(current(3), AssignmentCode::macro(0, 0));
}

TEST_F(MacroRoutes, ExportAndImportGoThroughTheMacroFileDialog) {
    selectMacroOf({key(0x04, true, 35), key(0x04, false, 0)});
    morva::test::TempDir files;
    const std::string exported = (files.path() / "a.mac").string();
    host.answerFileDialog(exported);
    click("macro_btn_export");
    ASSERT_EQ(host.fileDialogs.size(), 1u);
    EXPECT_TRUE(host.fileDialogs[0].save);
    EXPECT_EQ(host.fileDialogs[0].filter, "Macro Files(*.mac)");
    host.answerFileDialog(std::nullopt);
    click("macro_btn_import"); // cancelled
    EXPECT_EQ(panel->MacroCount(), 2u);

    host.answerFileDialog(exported);
    click("macro_btn_import");
    EXPECT_FALSE(host.fileDialogs.back().save);
    EXPECT_EQ(keyPanelMacros(), (std::vector<std::string>{"macro_1", "macro_2", "macro_3"}));
    EXPECT_EQ(shown(), (std::vector<macros::MacroEvent>{key(0x04, true, 35), key(0x04, false)}));

    const std::string notAMacro = (files.path() / "b.mac").string();
    std::ofstream(notAMacro) << "not json";
    host.answerFileDialog(notAMacro);
    click("macro_btn_import");
    EXPECT_EQ(host.messageBoxes,
              (std::vector<std::string>{englishText("macro_import_not_macro_text")}));
    EXPECT_EQ(panel->MacroCount(), 3u);
}

TEST_F(MacroRoutes, TheEventMenuInsertsMouseButtonsAfterTheSelectedEvent) {
    selectMacroOf({key(0x04, true), key(0x04, false)});
    panel->findDescendantAs<ui::List>("macro_action_list")->selectItem(0, false);
    host.setCursorPos({400, 300});
    row(1).event(ui::UiEvent::of(ui::EventType::ContextMenu));
    loop.runPending();
    ui::Menu* menu = toolkit.currentMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->position(), (ui::Point{400, 300}));
    EXPECT_NE(menu->find("redio_later_ignore_time"), nullptr);
    ASSERT_TRUE(menu->choose("right_click"));
    loop.runPending();
    EXPECT_EQ(saved(),
              (std::vector<macros::MacroEvent>{key(0x04, true), button(0x02, true, 50),
                                               button(0x02, false, 50), key(0x04, false)}));
}

TEST_F(MacroRoutes, TypedPausesAreSavedWhenTheirFieldLosesTheFocusAndUndoneByCancel) {
    selectMacroOf({key(0x04, true, 10), key(0x04, false, 20)});
    ui::Edit* first = macros::rowDelayField(row(0));
    first->event(ui::UiEvent::of(ui::EventType::SetFocus));
    first->userInput("150");
    first->event(ui::UiEvent::of(ui::EventType::KillFocus));
    loop.runPending();
    EXPECT_EQ(saved()[0].delay, "150");
    macros::rowDelayField(row(1))->userInput("999");
    click("macro_btn_cancel");
    EXPECT_EQ(macros::rowDelayField(row(1))->text(), "20");
    macros::rowDelayField(row(1))->userInput("");
    click("macro_btn_save");
    EXPECT_EQ(saved()[1].delay, "0");
    EXPECT_EQ(macros::rowDelayField(row(1))->text(), "0");
}

TEST_F(MacroRoutes, OnlyAnEventsPauseFieldSavesWhenItLosesTheFocus) {
    selectMacroOf({key(0x04, true, 10), key(0x04, false, 20)});
    macros::rowDelayField(row(0))->userInput("150");
    auto* distance = panel->findDescendantAs<ui::Edit>("mouse_x_left_edit");
    ASSERT_NE(distance, nullptr);
    distance->event(ui::UiEvent::of(ui::EventType::SetFocus));
    distance->event(ui::UiEvent::of(ui::EventType::KillFocus));
    loop.runPending();
    EXPECT_EQ(saved()[0].delay, "10") << "another field leaving the focus saves nothing";
    ui::Edit* second = macros::rowDelayField(row(1));
    second->event(ui::UiEvent::of(ui::EventType::SetFocus));
    second->event(ui::UiEvent::of(ui::EventType::KillFocus));
    loop.runPending();
    EXPECT_EQ(saved()[0].delay, "150") << "any event's field saves every typed pause";
}

TEST_F(MacroRoutes, APressOnAnEventRowChoosesTheEventTheButtonsMove) {
    selectMacroOf({button(0x01, true), button(0x02, true), button(0x04, true)});
    row(2).event(ui::UiEvent::of(ui::EventType::ButtonDown));
    row(2).event(ui::UiEvent::of(ui::EventType::ButtonUp));
    loop.runPending();
    EXPECT_EQ(panel->SelectedEvent(), 2);
    click("macro_btn_uptop");
    EXPECT_EQ(saved(), (std::vector<macros::MacroEvent>{button(0x04, true), button(0x01, true),
                                                        button(0x02, true)}));
}

TEST_F(MacroRoutes, EventButtonsChangeTheListAndSaveAtOnce) {
    selectMacroOf({button(0x01, true), button(0x02, true), button(0x04, true)});
    panel->findDescendantAs<ui::List>("macro_action_list")->selectItem(2, false);
    click("macro_btn_uptop");
    EXPECT_EQ(saved().front(), button(0x04, true));
    click("macro_btn_delete");
    EXPECT_EQ(saved().size(), 2u);
    panel->findDescendantAs<ui::Edit>("mouse_y_up_edit")->setText("300");
    click("macro_inset_moveupkey_btn");
    EXPECT_EQ(saved()[1], (macros::MacroEvent{5, 44, "down", "50"}));
    click("macro_btn_deleteall");
    EXPECT_TRUE(saved().empty());
}

} // namespace
} // namespace morva::devmgr::test
