#include "tests/macropanel/macro_panel_fixture.h"

#include <sys/stat.h>

// The macro list of the panel: loading, adding, renaming, deleting, exporting and importing.
namespace morva::macros::test {
namespace {

TEST_F(MacroPanelTest, LoadingShowsTheListWithNothingSelectedAndHandsBackTheNames) {
    makeMacros({{"Jump", {key(4, true)}}, {"Run", {}}});
    EXPECT_EQ(load(), (std::vector<std::string>{"Jump", "Run"}));
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"Jump", "Run"}));
    EXPECT_EQ(panel->SelectedMacro(), -1);
    EXPECT_EQ(panel->EventCount(), 0u);
    EXPECT_FALSE(panel->findDescendant("macro_action_layout")->enabled());
    select(0);
    EXPECT_TRUE(panel->findDescendant("macro_action_layout")->enabled());
    EXPECT_EQ(events(), (std::vector<MacroEvent>{key(4, true)}));
    // A macro whose file is gone has no events.
    std::filesystem::remove(macroFilePath(folder(), panel->SelectedMacroIdentifier()));
    select(0);
    EXPECT_EQ(panel->EventCount(), 0u);
}

TEST_F(MacroPanelTest, AddNamesTheNewMacroByTheFirstFreeNumberLetterCaseAside) {
    struct Case {
        std::vector<std::string> names;
        std::string added;
    };
    const Case cases[] = {
        {{}, "macro_1"},
        {{"macro_1", "Macro_3"}, "macro_2"},
        {{"macro_1", "macro_2"}, "macro_3"},
        {{"MACRO_1", "Jump"}, "macro_2"},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<std::string, std::vector<MacroEvent>>> macros;
        for (const std::string& name : c.names) {
            macros.emplace_back(name, std::vector<MacroEvent>{});
        }
        std::filesystem::remove(macroListPath(folder()));
        makeMacros(macros);
        load();
        EXPECT_EQ(panel->AddMacro(), c.added);
        // It comes last, selected and empty, and the list file has it.
        EXPECT_EQ(panel->SelectedMacro(), static_cast<int>(c.names.size()));
        EXPECT_EQ(rowNames().back(), c.added);
        const MacroList list = readMacroList(folder());
        ASSERT_EQ(list.size(), c.names.size() + 1);
        EXPECT_EQ(list.back().name, c.added);
        EXPECT_EQ(list.back().identifier, panel->SelectedMacroIdentifier());
        EXPECT_EQ(panel->EventCount(), 0u);
        EXPECT_TRUE(panel->findDescendant("macro_action_layout")->enabled());
    }
}

TEST_F(MacroPanelTest, AddIsRefusedAtFiftyMacros) {
    std::vector<std::pair<std::string, std::vector<MacroEvent>>> macros;
    for (size_t i = 0; i < kMaxMacros; ++i) {
        macros.emplace_back("m" + std::to_string(i), std::vector<MacroEvent>{});
    }
    makeMacros(macros);
    load();
    select(3);
    EXPECT_EQ(panel->AddMacro(), "");
    EXPECT_EQ(panel->MacroCount(), kMaxMacros);
    EXPECT_EQ(panel->SelectedMacro(), 3);
    EXPECT_EQ(readMacroList(folder()).size(), kMaxMacros);
}

TEST_F(MacroPanelTest, RenameRefusesATakenNameAndNeedsASelectionAndAName) {
    makeMacros({{"macro_1", {}}, {"Jump", {}}});
    load();
    edit("macro_edit_macroname")->setText("Run");
    EXPECT_EQ(panel->RenameMacro().outcome, RenameOutcome::NothingToDo); // none selected
    select(1);
    for (const char* taken : {"jump", "MACRO_1"}) {
        edit("macro_edit_macroname")->setText(taken);
        const RenameResult refused = panel->RenameMacro();
        EXPECT_EQ(refused.outcome, RenameOutcome::NameTaken) << taken;
        EXPECT_EQ(refused.number, 1);
        EXPECT_EQ(edit("macro_edit_macroname")->text(), taken);
    }
    edit("macro_edit_macroname")->setText("");
    EXPECT_EQ(panel->RenameMacro().outcome, RenameOutcome::NothingToDo);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"macro_1", "Jump"}));
    EXPECT_EQ(readMacroList(folder())[1].name, "Jump");

    edit("macro_edit_macroname")->setText("Run");
    const RenameResult renamed = panel->RenameMacro();
    EXPECT_EQ(renamed.outcome, RenameOutcome::Renamed);
    EXPECT_EQ(renamed.number, 1);
    EXPECT_EQ(renamed.name, "Run");
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"macro_1", "Run"}));
    EXPECT_EQ(readMacroList(folder())[1].name, "Run");
    EXPECT_EQ(edit("macro_edit_macroname")->text(), "");
}

TEST_F(MacroPanelTest, DeletingRemovesFileAndEntryAndShowsTheFirstMacro) {
    makeMacros({{"a", {key(4, true)}}, {"b", {key(5, true)}}, {"c", {key(6, true)}}});
    load();
    select(1);
    const std::filesystem::path file = macroFilePath(folder(), panel->SelectedMacroIdentifier());
    ASSERT_TRUE(panel->DeleteSelectedMacro());
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(macroNames(readMacroList(folder())), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(panel->SelectedMacro(), 0);
    EXPECT_EQ(events(), (std::vector<MacroEvent>{key(4, true)}));
    // The last one gone, the events can no longer be edited.
    ASSERT_TRUE(panel->DeleteSelectedMacro());
    ASSERT_TRUE(panel->DeleteSelectedMacro());
    EXPECT_EQ(panel->MacroCount(), 0u);
    EXPECT_EQ(panel->SelectedMacro(), -1);
    EXPECT_FALSE(panel->findDescendant("macro_action_layout")->enabled());
    EXPECT_FALSE(panel->DeleteSelectedMacro());
}

TEST_F(MacroPanelTest, ExportCopiesTheStoredFileUnchangedAndSavesNothing) {
    makeMacros({{"Jump", {key(4, true, 35)}}});
    load();
    morva::test::TempDir out;
    EXPECT_FALSE(panel->ExportSelectedMacro(out.path() / "none.mac")); // nothing selected
    select(0);
    const std::filesystem::path stored = macroFilePath(folder(), panel->SelectedMacroIdentifier());
    // A stored file written by another program, and a pause typed but not saved.
    const std::string text = "// kept as it is\n" + readText(stored);
    std::ofstream(stored, std::ios::binary) << text;
    rowDelayField(row(0))->setText("900");
    ASSERT_TRUE(panel->ExportSelectedMacro(out.path() / "jump.mac"));
    EXPECT_EQ(readText(out.path() / "jump.mac"), text);
    EXPECT_EQ(readText(stored), text);
}

TEST_F(MacroPanelTest, ImportAddsAGeneratedNameAndCopiesTheFileAsItIs) {
    makeMacros({{"macro_1", {}}, {"macro_2", {}}, {"macro_3", {}}});
    load();
    morva::test::TempDir in;
    const std::filesystem::path jump = in.path() / "jump.mac";
    const std::string text =
        styledJsonText(macroToJson("Jump", "2019_09_23_14_05_09_123", {key(0x2C, true, 20)}));
    std::ofstream(jump, std::ios::binary) << text;
    const ImportResult imported = panel->ImportMacro(jump);
    EXPECT_EQ(imported.name, "macro_4");
    EXPECT_FALSE(imported.notAMacro);
    EXPECT_EQ(panel->SelectedMacro(), 3);
    EXPECT_EQ(readMacroList(folder()).back().name, "macro_4");
    // The copy keeps the file's own name and identifier until the macro is next saved.
    const std::filesystem::path copy = macroFilePath(folder(), panel->SelectedMacroIdentifier());
    EXPECT_EQ(readText(copy), text);
    EXPECT_EQ(events(), (std::vector<MacroEvent>{key(0x2C, true, 20)}));
    panel->Save();
    EXPECT_EQ(readjsonFile(copy)["MacroName"].asString(), "macro_4");
    EXPECT_EQ(readjsonFile(copy)["Guid"].asString(), panel->SelectedMacroIdentifier());
}

TEST_F(MacroPanelTest, ImportRefusesAFileThatIsNoMacroAndAnyWhenTheListIsFull) {
    makeMacros({{"macro_1", {}}});
    load();
    morva::test::TempDir in;
    const std::filesystem::path profile = in.path() / "profile.mac";
    std::ofstream(profile) << R"({"profilename": "p", "KeyList": []})";
    const ImportResult refused = panel->ImportMacro(profile);
    EXPECT_TRUE(refused.notAMacro);
    EXPECT_TRUE(refused.name.empty());
    EXPECT_TRUE(panel->ImportMacro(in.path() / "missing.mac").notAMacro);
    EXPECT_EQ(panel->MacroCount(), 1u);

    std::vector<std::pair<std::string, std::vector<MacroEvent>>> more;
    for (size_t i = 1; i < kMaxMacros; ++i) {
        more.emplace_back("m" + std::to_string(i), std::vector<MacroEvent>{});
    }
    makeMacros(more);
    load();
    const std::filesystem::path jump = in.path() / "jump.mac";
    std::ofstream(jump) << styledJsonText(macroToJson("Jump", "x", {key(4, true)}));
    const size_t files = std::distance(std::filesystem::directory_iterator(folder()),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(panel->ImportMacro(jump).name, "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder()),
                            std::filesystem::directory_iterator()),
              static_cast<std::ptrdiff_t>(files));
    EXPECT_EQ(readMacroList(folder()).size(), kMaxMacros);
}

} // namespace
} // namespace morva::macros::test
