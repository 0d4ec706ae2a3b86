#include "tests/profpanel/panel_fixture.h"

#include <fstream>
#include <functional>

namespace morva::test {
namespace {

using Write = FakeProfileDevice::Write;

// ---- the combo follows the operations ----

struct Step {
    const char* what;
    std::function<void(PanelTest&)> act;
    std::vector<std::string> names;
    int selected;
};

class PanelRoutes : public PanelTest {
protected:
    void act(const std::function<void(PanelTest&)>& action) { action(*this); }
    void runSteps(const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            SCOPED_TRACE(step.what);
            act(step.act);
            EXPECT_EQ(comboNames(), step.names);
            EXPECT_EQ(listFileNames(), step.names) << "the list file mirrors the combo";
            EXPECT_EQ(panel->GetSelectedIndex(), step.selected);
            EXPECT_EQ(panel->GetNameText(), step.names[static_cast<size_t>(step.selected)]);
        }
    }
    // PanelTest's helpers are protected; steps reach them through these.
    static void clickOn(PanelTest& t, std::string_view name) {
        static_cast<PanelRoutes&>(t).click(name);
    }
    static void clickMenu(PanelTest& t, std::string_view name) {
        static_cast<PanelRoutes&>(t).clickInMenu(name);
    }
    static void rename(PanelTest& t, std::string_view name) {
        static_cast<PanelRoutes&>(t).typeName(name);
        static_cast<PanelRoutes&>(t).click("device_profile_edit_save_btn");
    }
    static void chooseEntry(PanelTest& t, int index) { static_cast<PanelRoutes&>(t).choose(index); }
    static void deleteConfirmed(PanelTest& t) {
        static_cast<PanelRoutes&>(t).host.answerMessageBox(1);
        clickOn(t, "device_sub_btn");
    }
};

TEST_F(PanelRoutes, ComboFollowsAddCopyRenameAndDelete) {
    init();
    runSteps({
        {"add selects the new profile",
         [](PanelTest& t) { clickOn(t, "device_add_btn"); },
         {"profile1", "profile2"},
         1},
        {"add again",
         [](PanelTest& t) { clickOn(t, "device_add_btn"); },
         {"profile1", "profile2", "profile3"},
         2},
        {"choose the first",
         [](PanelTest& t) { chooseEntry(t, 0); },
         {"profile1", "profile2", "profile3"},
         0},
        {"copy the selected: the selection stays",
         [](PanelTest& t) { clickMenu(t, "device_copy_btn"); },
         {"profile1", "profile2", "profile3", "profile1 copy"},
         0},
        {"copy again",
         [](PanelTest& t) { clickMenu(t, "device_copy_btn"); },
         {"profile1", "profile2", "profile3", "profile1 copy", "profile1 copy copy"},
         0},
        {"choose the third",
         [](PanelTest& t) { chooseEntry(t, 2); },
         {"profile1", "profile2", "profile3", "profile1 copy", "profile1 copy copy"},
         2},
        {"rename it",
         [](PanelTest& t) { rename(t, "Game"); },
         {"profile1", "profile2", "Game", "profile1 copy", "profile1 copy copy"},
         2},
        {"delete it: the previous one is selected",
         [](PanelTest& t) { deleteConfirmed(t); },
         {"profile1", "profile2", "profile1 copy", "profile1 copy copy"},
         1},
        {"choose the first",
         [](PanelTest& t) { chooseEntry(t, 0); },
         {"profile1", "profile2", "profile1 copy", "profile1 copy copy"},
         0},
        {"delete the first: the new first is selected",
         [](PanelTest& t) { deleteConfirmed(t); },
         {"profile2", "profile1 copy", "profile1 copy copy"},
         0},
        {"add takes the lowest free number",
         [](PanelTest& t) { clickOn(t, "device_add_btn"); },
         {"profile2", "profile1 copy", "profile1 copy copy", "profile1"},
         3},
    });
    EXPECT_EQ(listFile()["profileselect"], 3) << "the list file names the added profile";
    EXPECT_EQ(host.messageBoxes,
              (std::vector<std::string>(2, englishText("profile_delete_confirm_text"))))
        << "only the question before each delete";
}

TEST_F(PanelRoutes, AnAddedProfileIsWrittenToTheDeviceAtOnce) {
    writeList({"Alpha"}, 0);
    init();
    click("device_add_btn");
    const std::string added = listFileIdentifier(1);
    EXPECT_EQ(panel->GetSelectedIdentifier(), added);
    EXPECT_EQ(device.identifier, added) << "combo, list file and device agree";
    ASSERT_EQ(device.writes.size(), 1u);
    EXPECT_EQ(device.writes[0].identifier, added);
}

TEST_F(PanelRoutes, DeleteKeepsTheLastProfile) {
    init();
    click("device_sub_btn");
    EXPECT_EQ(comboNames(), (std::vector<std::string>{"profile1"}));
    EXPECT_TRUE(std::filesystem::exists(profileFile(panel->GetSelectedIdentifier())));
    EXPECT_TRUE(host.messageBoxes.empty());
}

TEST_F(PanelRoutes, DeleteRemovesTheFileAndActivatesTheNewSelection) {
    writeList({"A", "B", "C"}, 1);
    init();
    host.answerMessageBox(1);
    click("device_sub_btn");
    EXPECT_FALSE(std::filesystem::exists(profileFile("id1")));
    loop.advance(400);
    EXPECT_EQ(device.writes, (std::vector<Write>{{"id0", profiles::ProfileWriteReason::Selection}}))
        << "the device no longer works on the deleted profile";
}

TEST_F(PanelRoutes, AddStopsAtFiftyProfilesWithoutAWord) {
    std::vector<std::string> names;
    for (int i = 1; i <= 50; ++i) {
        names.push_back("P" + std::to_string(i));
    }
    writeList(names, 0);
    init();
    click("device_add_btn");
    EXPECT_EQ(comboNames().size(), 50u);
    EXPECT_EQ(listFileNames().size(), 50u);
    EXPECT_TRUE(host.messageBoxes.empty());
}

// ---- rename ----

struct RenameCase {
    const char* name;
    const char* newName;
};

class PanelRename : public PanelTest, public testing::WithParamInterface<RenameCase> {};

TEST_P(PanelRename, ToANameInUseShowsMessage5AndChangesNothing) {
    writeList({"Alpha", "Beta"}, 0);
    init();
    typeName(GetParam().newName);
    click("device_profile_edit_save_btn");
    EXPECT_EQ(host.messageBoxes, (std::vector<std::string>{englishText("message_text_5")}));
    EXPECT_EQ(comboNames(), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(listFileNames(), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(readjsonFile(profileFile("id0"))["profilename"], "Alpha");
}

INSTANTIATE_TEST_SUITE_P(Cases, PanelRename,
                         testing::Values(RenameCase{"OwnName", "Alpha"},
                                         RenameCase{"OwnNameOtherCase", "ALPHA"},
                                         RenameCase{"OtherEntrysNameOtherCase", "beta"}),
                         caseName<RenameCase>);

TEST_F(PanelRoutes, ARenameThatCannotBeDoneSaysWhyAndShowsTheNameAgain) {
    writeList({"Alpha", "Beta"}, 0);
    init();
    panel->SetNameText("");
    click("device_profile_edit_save_btn");
    EXPECT_EQ(host.messageBoxes,
              (std::vector<std::string>{englishText("profile_name_empty_text")}));
    EXPECT_EQ(comboNames(), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(panel->GetNameText(), "Alpha");

    typeName("beta");
    click("device_profile_edit_save_btn");
    EXPECT_EQ(host.messageBoxes.back(), englishText("message_text_5"));
    EXPECT_EQ(panel->GetNameText(), "Alpha") << "the refused name does not stay in the box";
}

TEST_F(PanelRoutes, ADeleteIsAskedFirstAndCancellingKeepsTheProfile) {
    writeList({"A", "B"}, 1);
    init();
    host.answerMessageBox(0);
    click("device_sub_btn");
    EXPECT_EQ(host.messageBoxes,
              (std::vector<std::string>{englishText("profile_delete_confirm_text")}));
    EXPECT_EQ(comboNames(), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(std::filesystem::exists(profileFile("id1")));
}

TEST_F(PanelRoutes, EveryFinishedOperationSaysSoWithoutWaitingForTheUser) {
    writeList({"Alpha"}, 0);
    init();
    std::vector<std::string> notices;
    routes->setNotice([&notices](const std::string& text) { notices.push_back(text); });
    clickInMenu("device_copy_btn");
    typeName("Night");
    click("device_profile_edit_save_btn");
    const std::filesystem::path destination = temp.path() / "export1";
    host.answerFileDialog(destination.string());
    clickInMenu("device_export_btn");
    EXPECT_EQ(notices, (std::vector<std::string>{englishText("profile_copied_text") + "Alpha copy",
                                                 englishText("profile_renamed_text") + "Night",
                                                 englishText("profile_exported_text") +
                                                     destination.string() + ".json"}));
    EXPECT_TRUE(std::filesystem::exists(destination.string() + ".json"))
        << "a name without an extension gets .json, which the import dialog shows";
    EXPECT_TRUE(host.messageBoxes.empty());
}

TEST_F(PanelRoutes, RenameChangesTheProfileFileToo) {
    writeList({"Alpha", "Beta"}, 1);
    init();
    typeName("Night");
    click("device_profile_edit_save_btn");
    EXPECT_EQ(comboNames(), (std::vector<std::string>{"Alpha", "Night"}));
    EXPECT_EQ(panel->profileCombo()->text(), "Night");
    EXPECT_EQ(panel->profileCombo()->item(1)->userData, "Night");
    EXPECT_EQ(readjsonFile(profileFile("id1"))["profilename"], "Night");
    EXPECT_EQ(readjsonFile(profileFile("id1"))["Device"][0]["Marker"], 101);
}

// ---- import and export ----

struct ImportCase {
    const char* name;
    const char* content; // null: the chosen file does not exist
    const char* messageKey;
};

class PanelImport : public PanelTest, public testing::WithParamInterface<ImportCase> {};

TEST_P(PanelImport, RefusalTellsTheUserWhy) {
    writeList({"Alpha"}, 0);
    init();
    const std::filesystem::path file = temp.path() / "chosen.json";
    if (GetParam().content != nullptr) {
        std::ofstream(file) << GetParam().content;
    }
    host.answerFileDialog(file.string());
    clickInMenu("device_import_btn");

    ASSERT_EQ(host.fileDialogs.size(), 1u);
    EXPECT_FALSE(host.fileDialogs[0].save);
    EXPECT_EQ(host.fileDialogs[0].filter, "Profile Files(*.json)");
    EXPECT_EQ(host.messageBoxes, (std::vector<std::string>{englishText(GetParam().messageKey)}));
    EXPECT_EQ(comboNames(), (std::vector<std::string>{"Alpha"}));
    EXPECT_EQ(listFileNames(), (std::vector<std::string>{"Alpha"}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, PanelImport,
    testing::Values(ImportCase{"Missing", nullptr, "message_text_import_unreadable"},
                    ImportCase{"NotJson", "profilename: Game", "message_text_import_not_json"},
                    ImportCase{"NoName", R"({"profileUUID": "x", "Device": []})",
                               "message_text_import_no_name"},
                    ImportCase{"NoIdentifier", R"({"profilename": "Game", "Device": []})",
                               "message_text_import_no_uuid"},
                    // The panel is a keyboard's: a mouse's settings do not belong to it.
                    ImportCase{"MouseProfile",
                               R"({"profilename": "Game", "profileUUID": "x",
                                   "Device": [{"DPIStages": {}, "LightInfo": {}}]})",
                               "message_text_import_other_device"}),
    caseName<ImportCase>);

TEST_F(PanelRoutes, EveryImportRefusalHasATextInBothLanguages) {
    for (const profiles::ProfileStatus status :
         {profiles::ProfileStatus::ImportUnreadable, profiles::ProfileStatus::ImportNotJson,
          profiles::ProfileStatus::ImportNoName, profiles::ProfileStatus::ImportNoIdentifier,
          profiles::ProfileStatus::ImportOtherDevice, profiles::ProfileStatus::ProfileUnreadable,
          profiles::ProfileStatus::WriteFailed, profiles::ProfileStatus::NameInUse,
          profiles::ProfileStatus::ReadOnly, profiles::ProfileStatus::ProtectedTarget,
          profiles::ProfileStatus::Busy, profiles::ProfileStatus::ProfileGone}) {
        const std::string key = profiles::profileStatusMessageKey(status);
        ASSERT_FALSE(key.empty()) << profiles::describeProfileStatus(status);
        for (const char* language : {"lan_en.xml", "lan_cn.xml"}) {
            ASSERT_TRUE(toolkit.loadLanguageFile(language));
            EXPECT_TRUE(toolkit.language().lookup(key).has_value()) << key << " in " << language;
        }
    }
    for (const profiles::ProfileNotice notice :
         {profiles::ProfileNotice::ListRebuilt, profiles::ProfileNotice::ProfileRepaired}) {
        const std::string key = profiles::profileNoticeMessageKey(notice);
        ASSERT_FALSE(key.empty()) << profiles::describeProfileNotice(notice);
        for (const char* language : {"lan_en.xml", "lan_cn.xml"}) {
            ASSERT_TRUE(toolkit.loadLanguageFile(language));
            EXPECT_TRUE(toolkit.language().lookup(key).has_value()) << key << " in " << language;
        }
    }
}

// ---- other programs change the profiles too ----

TEST_F(PanelRoutes, TheComboShowsWhatAnotherProgramAddedAtTheNextOperation) {
    writeList({"Alpha", "Beta"}, 0);
    init();
    profiles::ProfileList other(deviceFolder(), defaultProfile(), 1, clock);
    ASSERT_TRUE(other.load().ok());
    ASSERT_TRUE(other
                    .importFrom([&] {
                        const auto file = temp.path() / "cli.json";
                        std::ofstream(file) << R"({"profilename": "FromCli", "profileUUID": "x"})";
                        return file;
                    }())
                    .ok());

    click("device_add_btn");
    EXPECT_EQ(comboNames(), (std::vector<std::string>{"Alpha", "Beta", "FromCli", "profile1"}));
    EXPECT_EQ(listFileNames(), comboNames());
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(std::filesystem::exists(profileFile(listFileIdentifier(i)))) << i;
    }
    EXPECT_EQ(panel->GetSelectedIndex(), 3) << "the added profile";
}

TEST_F(PanelRoutes, ASelectedProfileDeletedElsewhereMovesTheDeviceToTheNewSelection) {
    writeList({"Alpha", "Beta"}, 1);
    init();
    profiles::ProfileList other(deviceFolder(), defaultProfile(), 1, clock);
    ASSERT_TRUE(other.load().ok());
    ASSERT_TRUE(other.deleteSelected().ok()); // Beta goes; Alpha is stored as selected

    clickInMenu("device_copy_btn");
    // The copy of a profile that is gone is refused, not made of another one.
    EXPECT_EQ(comboNames(), (std::vector<std::string>{"Alpha"}));
    EXPECT_EQ(panel->GetSelectedIdentifier(), "id0");
    EXPECT_EQ(host.messageBoxes,
              (std::vector<std::string>{englishText("message_text_profile_gone")}));
    loop.advance(400);
    ASSERT_EQ(device.writes.size(), 1u) << "the device leaves the deleted profile";
    EXPECT_EQ(device.identifier, "id0");
}

TEST_F(PanelRoutes, ADamagedProfileIsRepairedWithAWord) {
    writeList({"Alpha"}, 0);
    init();
    std::ofstream(profileFile("id0")) << "{ damaged";
    clickInMenu("device_copy_btn");
    EXPECT_EQ(host.messageBoxes,
              (std::vector<std::string>{englishText("message_text_profile_repaired")}));
    EXPECT_TRUE(std::filesystem::exists(deviceFolder() / "id0.Json.bad"));
}

TEST_F(PanelRoutes, LoadingADamagedListSaysItWasRebuilt) {
    writeList({"Alpha"}, 0);
    std::ofstream(deviceFolder() / "ProfileList.ini") << "{ damaged";
    const profiles::ProfileResult loaded =
        panel->InitProfiles(deviceFolder(), defaultProfile(), 1, clock);
    EXPECT_EQ(comboNames(), (std::vector<std::string>{"Alpha"}));
    EXPECT_EQ(loaded.notice, profiles::ProfileNotice::ListRebuilt);
}

TEST_F(PanelRoutes, ImportNamesTheProfileFreely) {
    writeList({"Game", "Game(1)"}, 0);
    init();
    const std::filesystem::path file = temp.path() / "game.json";
    std::ofstream(file)
        << R"({"profilename": "Game", "profileUUID": "elsewhere", "Device": [{"Marker": 7}]})";
    host.answerFileDialog(file.string());
    clickInMenu("device_import_btn");
    EXPECT_EQ(comboNames(), (std::vector<std::string>{"Game", "Game(1)", "Game(2)"}));
    EXPECT_EQ(panel->GetSelectedIndex(), 0) << "import does not change the selection";
    const Json::Value imported = readjsonFile(profileFile(listFileIdentifier(2)));
    EXPECT_EQ(imported["profilename"], "Game(2)");
    EXPECT_EQ(imported["Device"][0]["Marker"], 7);
    EXPECT_NE(listFileIdentifier(2), "elsewhere");
    EXPECT_TRUE(host.messageBoxes.empty());
}

TEST_F(PanelRoutes, ExportWritesTheSelectedProfileWhereTheUserSaid) {
    writeList({"Alpha", "Beta"}, 1);
    init();
    const std::filesystem::path destination = temp.path() / "out.json";
    host.answerFileDialog(destination.string());
    clickInMenu("device_export_btn");
    ASSERT_EQ(host.fileDialogs.size(), 1u);
    EXPECT_TRUE(host.fileDialogs[0].save);
    EXPECT_EQ(host.fileDialogs[0].filter, "Profile Files(*.json)");
    EXPECT_EQ(readjsonFile(destination), readjsonFile(profileFile("id1")));
}

TEST_F(PanelRoutes, ExportOfAProfileWhoseFileIsGoneSaysSo) {
    writeList({"Alpha"}, 0);
    init();
    std::filesystem::remove(profileFile("id0"));
    const std::filesystem::path destination = temp.path() / "out.json";
    host.answerFileDialog(destination.string());
    clickInMenu("device_export_btn");
    EXPECT_FALSE(std::filesystem::exists(destination));
    EXPECT_EQ(host.messageBoxes,
              (std::vector<std::string>{englishText("message_text_profile_unreadable")}));
}

TEST_F(PanelRoutes, CancelledDialogsChangeNothing) {
    writeList({"Alpha"}, 0);
    init();
    host.answerFileDialog(std::nullopt);
    clickInMenu("device_import_btn");
    host.answerFileDialog(std::nullopt);
    click("device_export_btn");
    EXPECT_EQ(host.fileDialogs.size(), 2u);
    EXPECT_EQ(comboNames(), (std::vector<std::string>{"Alpha"}));
    EXPECT_TRUE(host.messageBoxes.empty());
    EXPECT_EQ(host.unscripted, 0);
}

// ---- reset ----

TEST_F(PanelRoutes, ResetAsksFirstAndDoesNothingOnNo) {
    writeList({"Alpha", "Beta"}, 1);
    init();
    const Json::Value before = readjsonFile(profileFile("id1"));
    host.answerMessageBox(0);
    clickInMenu("device_reset_btn");
    EXPECT_EQ(host.messageBoxes, (std::vector<std::string>{englishText("message_text_22")}));
    EXPECT_EQ(readjsonFile(profileFile("id1")), before);
    EXPECT_TRUE(device.writes.empty());
}

TEST_F(PanelRoutes, ResetOnYesRestoresTheDefaultAndWritesTheDevice) {
    writeList({"Alpha", "Beta"}, 1);
    init();
    host.answerMessageBox(1);
    clickInMenu("device_reset_btn");
    const Json::Value reset = readjsonFile(profileFile("id1"));
    EXPECT_EQ(reset["Device"][0]["Marker"], 1) << "the default profile's contents";
    EXPECT_EQ(reset["profilename"], "Beta");
    EXPECT_EQ(reset["profileUUID"], "id1");
    EXPECT_EQ(device.writes, (std::vector<Write>{{"id1", profiles::ProfileWriteReason::Reset}}));
    EXPECT_EQ(host.messageBoxes.size(), 1u) << "only the question";
}

// ---- activation ----

TEST_F(PanelRoutes, TwoChoicesWithin400MsActivateOnlyTheLast) {
    writeList({"A", "B", "C"}, 0);
    init();
    choose(1);
    EXPECT_EQ(listFile()["profileselect"], 1) << "the choice is stored at once";
    loop.advance(200);
    choose(2);
    loop.advance(399);
    EXPECT_TRUE(device.writes.empty());
    loop.advance(1);
    EXPECT_EQ(device.writes,
              (std::vector<Write>{{"id2", profiles::ProfileWriteReason::Selection}}));
    EXPECT_EQ(device.identifier, "id2");
    loop.advance(2000);
    EXPECT_EQ(device.writes.size(), 1u);
}

TEST_F(PanelRoutes, ChoicesFurtherApartActivateEach) {
    writeList({"A", "B", "C"}, 0);
    init();
    choose(2);
    loop.advance(400);
    choose(1);
    loop.advance(400);
    EXPECT_EQ(device.writes,
              (std::vector<Write>{{"id2", profiles::ProfileWriteReason::Selection},
                                  {"id1", profiles::ProfileWriteReason::Selection}}));
}

TEST_F(PanelRoutes, ActivationWithTheDeviceGoneWritesNothing) {
    writeList({"A", "B"}, 0);
    init();
    choose(1);
    currentDevice = nullptr;
    loop.advance(400);
    EXPECT_TRUE(device.writes.empty());
    EXPECT_FALSE(routes->activationPending());
}

struct MacroCase {
    const char* name;
    int result;
    std::vector<std::string> messages;
};

class PanelMacroResult : public PanelTest, public testing::WithParamInterface<MacroCase> {};

TEST_P(PanelMacroResult, AfterActivationTellsTheUser) {
    writeList({"A", "B"}, 0);
    init();
    device.macroResult = GetParam().result;
    choose(1);
    loop.advance(400);
    ASSERT_EQ(device.writes.size(), 1u);
    EXPECT_EQ(host.messageBoxes, GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Results, PanelMacroResult,
    testing::Values(
        MacroCase{"Written", 0, {}},
        MacroCase{"Failed", -1, {"The macros could not be written to the device."}},
        MacroCase{"TooLong", 12, {"The macros hold 12 events more than the device can store."}}),
    caseName<MacroCase>);

TEST_F(PanelRoutes, AMessageBoxOfTheMainWindowIsUsedWhenGiven) {
    writeList({"A", "B"}, 0);
    init();
    std::vector<std::string> shown;
    ui::NotificationRouter own;
    routes = app::registerProfilePanelRoutes(
        own, [this] { return panel; }, [this] { return currentDevice; }, host, loop,
        [&](ui::Window* owner, const profiles::PanelMessage& message) {
            EXPECT_EQ(owner, &window);
            shown.push_back(message.text + (message.textIsKey ? " (key)" : ""));
            return 1;
        });
    own.attachTo(window);
    clickInMenu("device_reset_btn");
    EXPECT_EQ(shown, (std::vector<std::string>{"message_text_22 (key)"}));
    EXPECT_TRUE(host.messageBoxes.empty());
    EXPECT_EQ(device.writes.size(), 1u);
}

} // namespace
} // namespace morva::test
