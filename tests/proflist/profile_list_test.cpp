#include "profile_list_fixture.h"

namespace morva {
namespace {

using namespace test_profiles;
namespace fs = std::filesystem;

// ---- load ----

struct BrokenListCase {
    const char* what;
    const char* text; // nullptr: no list file at all
};
void PrintTo(const BrokenListCase& c, std::ostream* os) {
    *os << c.what;
}

class ProfileListLoad : public ProfileListTest,
                        public testing::WithParamInterface<BrokenListCase> {};

TEST_P(ProfileListLoad, ListWithoutProfilesIsReplacedByProfile1FromTheDefault) {
    if (GetParam().text != nullptr) {
        writeText(listPath(), GetParam().text);
    }
    profiles::ProfileList list(folder, defaultPath, kKeyboard, clock);
    EXPECT_TRUE(list.load().ok());

    const std::string id = "2021_03_07_08_15_42_007";
    EXPECT_EQ(list.entries(), (std::vector<profiles::ProfileEntry>{{"profile1", id}}));
    EXPECT_EQ(list.selectedIndex(), 0);
    EXPECT_EQ(list.selectedIdentifier(), id);
    EXPECT_EQ(list.selectedProfilePath(), folder / (id + ".Json"));

    const Json::Value stored = listFile();
    EXPECT_EQ(listedEntries(stored), list.entries());
    EXPECT_EQ(stored["profilelist"][0]["profileislink"], 0);
    EXPECT_EQ(stored["profilelist"][0]["profilelinkmame"], "");
    EXPECT_EQ(stored["profileselect"], 0);

    Json::Value expectedProfile = defaultProfile();
    expectedProfile["profilename"] = "profile1";
    expectedProfile["profileUUID"] = id;
    EXPECT_EQ(profileFile(id), expectedProfile);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileListLoad,
    testing::Values(BrokenListCase{"Missing", nullptr}, BrokenListCase{"Empty", ""},
                    BrokenListCase{"NotJson", "profilelist = nothing"},
                    BrokenListCase{"EmptyList", R"({"profilelist": [], "profileselect": 0})"},
                    BrokenListCase{"ListIsNoArray", R"({"profilelist": {"a": 1}})"},
                    BrokenListCase{"OnlyUnusableElements",
                                   R"({"profilelist": [null, 5, {"profilename": "x"},
                                       {"profilename": "y", "profileUUID": "../../escape"}]})"}),
    caseName<BrokenListCase>);

TEST_F(ProfileListTest, LoadWithoutDefaultProfileMakesANameOnlyProfile) {
    fs::remove(defaultPath);
    profiles::ProfileList list = loaded();
    const Json::Value profile = profileFile(list.selectedIdentifier());
    EXPECT_EQ(profile.getMemberNames(), (std::vector<std::string>{"profileUUID", "profilename"}));
}

struct StoredSelectionCase {
    int stored;
    int expected;
};
void PrintTo(const StoredSelectionCase& c, std::ostream* os) {
    *os << "stored " << c.stored;
}

class ProfileListStoredSelection : public ProfileListTest,
                                   public testing::WithParamInterface<StoredSelectionCase> {};

TEST_P(ProfileListStoredSelection, SelectsTheStoredProfileOrTheFirst) {
    seed({"a", "b", "c"}, GetParam().stored);
    profiles::ProfileList list = loaded();
    EXPECT_EQ(list.selectedIndex(), GetParam().expected);
    EXPECT_EQ(list.selectedIdentifier(), "id" + std::to_string(GetParam().expected));
    EXPECT_EQ(listFile()["profileselect"], GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileListStoredSelection,
                         testing::Values(StoredSelectionCase{0, 0}, StoredSelectionCase{2, 2},
                                         StoredSelectionCase{3, 0}, StoredSelectionCase{-1, 0}));

TEST_F(ProfileListTest, LoadDropsElementsThatNameNoProfileFile) {
    writeText(listPath(), R"({"profilelist": [
        {"profilename": "good", "profileUUID": "id0"},
        {"profilename": "escape", "profileUUID": "../outside"},
        {"profilename": "noid"},
        null,
        {"profilename": "also good", "profileUUID": "id1"}], "profileselect": 4})");
    profiles::ProfileList list(folder, defaultPath, kKeyboard, clock);
    ASSERT_TRUE(list.load().ok());
    const std::vector<profiles::ProfileEntry> expected = {{"good", "id0"}, {"also good", "id1"}};
    EXPECT_EQ(list.entries(), expected);
    EXPECT_EQ(listedEntries(listFile()), expected);
    // The stored choice follows its element to its new place.
    EXPECT_EQ(list.selectedIdentifier(), "id1");
    EXPECT_EQ(listFile()["profileselect"], 1);

    // A stored choice of a dropped element falls back to the first profile.
    writeText(listPath(), R"({"profilelist": [
        {"profilename": "escape", "profileUUID": ".."},
        {"profilename": "good", "profileUUID": "id0"}], "profileselect": 0})");
    ASSERT_TRUE(list.load().ok());
    EXPECT_EQ(list.entries(), (std::vector<profiles::ProfileEntry>{{"good", "id0"}}));
    EXPECT_EQ(list.selectedIdentifier(), "id0");
}

// ---- select ----

TEST_F(ProfileListTest, SelectStoresTheChoiceAndRefusesUnknownIndexes) {
    seed({"a", "b"}, 0);
    profiles::ProfileList list = loaded();
    EXPECT_TRUE(list.select(1).ok());
    EXPECT_EQ(list.selectedIdentifier(), "id1");
    EXPECT_EQ(listFile()["profileselect"], 1);

    for (int bad : {-1, 2}) {
        EXPECT_EQ(list.select(bad).status, profiles::ProfileStatus::IndexOutOfRange);
        EXPECT_EQ(list.selectedIndex(), 1);
        EXPECT_EQ(listFile()["profileselect"], 1);
    }
}

// ---- add ----

struct AddCase {
    std::vector<std::string> names;
    std::string expected;
};
void PrintTo(const AddCase& c, std::ostream* os) {
    *os << testing::PrintToString(c.names);
}

class ProfileListAdd : public ProfileListTest, public testing::WithParamInterface<AddCase> {};

TEST_P(ProfileListAdd, NamesTheNewProfileAndMakesItFromTheDefault) {
    seed(GetParam().names, 0);
    profiles::ProfileList list = loaded();
    const profiles::ProfileResult added = list.add();
    ASSERT_TRUE(added.ok());
    const int newIndex = static_cast<int>(GetParam().names.size());
    EXPECT_EQ(added.index, newIndex);
    EXPECT_EQ(added.name, GetParam().expected);

    const std::string id = "2021_03_07_08_15_42_007";
    EXPECT_EQ(list.entries().back(), (profiles::ProfileEntry{GetParam().expected, id}));
    EXPECT_EQ(listedEntries(listFile()), list.entries());
    // The new profile is the selection, in the list file and here alike.
    EXPECT_EQ(listFile()["profileselect"], newIndex);
    EXPECT_EQ(list.selectedIndex(), newIndex);
    EXPECT_EQ(list.selectedIdentifier(), id);

    Json::Value expectedProfile = defaultProfile();
    expectedProfile["profilename"] = GetParam().expected;
    expectedProfile["profileUUID"] = id;
    EXPECT_EQ(profileFile(id), expectedProfile);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileListAdd,
                         testing::Values(AddCase{{"Profile1", "profile2"}, "profile3"},
                                         AddCase{{"profile2"}, "profile1"},
                                         AddCase{{"PROFILE1", "game", "profile3"}, "profile2"}));

TEST_F(ProfileListTest, AddStopsAtFiftyProfilesButCopyAndImportDoNot) {
    std::vector<std::string> names;
    for (int i = 0; i < 49; ++i) {
        names.push_back("p" + std::to_string(i));
    }
    seed(names, 0);
    profiles::ProfileList list = loaded();

    EXPECT_TRUE(list.add().ok());
    EXPECT_EQ(list.size(), 50);
    const std::string listBefore = fileText(listPath());
    const size_t filesBefore = filesInFolder();
    EXPECT_EQ(list.add().status, profiles::ProfileStatus::LimitReached);
    EXPECT_EQ(list.size(), 50);
    EXPECT_EQ(fileText(listPath()), listBefore);
    EXPECT_EQ(filesInFolder(), filesBefore);

    EXPECT_TRUE(list.copySelected().ok());
    const fs::path importFile = dir.path() / "Game.json";
    writeText(importFile, R"({"profilename": "Game", "profileUUID": "elsewhere"})");
    EXPECT_TRUE(list.importFrom(importFile).ok());
    EXPECT_EQ(list.size(), 52);
    EXPECT_EQ(listFile()["profilelist"].size(), 52u);
}

// ---- identifiers ----

TEST_F(ProfileListTest, ProfilesMadeWithinOneMillisecondGetTheirOwnFiles) {
    seed({"profile1"}, 0);
    // A file left behind by an earlier run with the current time's identifier.
    const std::string stray = "2021_03_07_08_15_42_007";
    writeText(folder / (stray + ".Json"), R"({"stray": true})");

    profiles::ProfileList list = loaded();
    ASSERT_TRUE(list.add().ok());
    ASSERT_TRUE(list.add().ok());
    ASSERT_TRUE(list.copySelected().ok());

    const std::vector<profiles::ProfileEntry> expected = {
        {"profile1", "id0"},
        {"profile2", "2021_03_07_08_15_42_008"},
        {"profile3", "2021_03_07_08_15_42_009"},
        {"profile3 copy", "2021_03_07_08_15_42_010"}};
    EXPECT_EQ(list.entries(), expected);
    EXPECT_EQ(listedEntries(listFile()), expected);
    for (const profiles::ProfileEntry& entry : expected) {
        EXPECT_EQ(profileFile(entry.identifier)["profilename"], entry.name);
    }
    EXPECT_EQ(profileFile(stray), parse(R"({"stray": true})"));
}

// ---- copy ----

TEST_F(ProfileListTest, CopyNamesTheCopyAndCopiesTheSelectedProfile) {
    seed({"A", "A copy", "B"}, 2);
    profiles::ProfileList list = loaded();
    ASSERT_TRUE(list.select(0).ok());

    const profiles::ProfileResult copied = list.copySelected();
    ASSERT_TRUE(copied.ok());
    EXPECT_EQ(copied.name, "A copy copy");
    EXPECT_EQ(copied.index, 3);
    EXPECT_EQ(listFile()["profileselect"], 0); // unchanged by a copy

    const std::string id = list.entries().back().identifier;
    Json::Value expected = profileFile("id0");
    expected["profilename"] = "A copy copy";
    expected["profileUUID"] = id;
    EXPECT_EQ(profileFile(id), expected);
}

// ---- import ----

TEST_F(ProfileListTest, ImportNumbersTheNameAndTakesTheFileUnderANewIdentifier) {
    seed({"Game", "Game(1)"}, 0);
    profiles::ProfileList list = loaded();
    const fs::path file = dir.path() / "exported.json";
    writeText(file, R"({"profilename": "Game", "profileUUID": "2019_01_01_00_00_00_000",
                        "Device": [{"Marker": 77}]})");

    const profiles::ProfileResult imported = list.importFrom(file);
    ASSERT_TRUE(imported.ok());
    EXPECT_EQ(imported.name, "Game(2)");
    const std::string id = "2021_03_07_08_15_42_007";
    EXPECT_EQ(list.entries().back(), (profiles::ProfileEntry{"Game(2)", id}));
    EXPECT_EQ(listedEntries(listFile()), list.entries());
    EXPECT_EQ(listFile()["profileselect"], 0);
    const Json::Value expected = parse(R"j({"profilename": "Game(2)",
        "profileUUID": "2021_03_07_08_15_42_007", "Device": [{"Marker": 77}]})j");
    EXPECT_EQ(profileFile(id), expected);
}

struct RefusedImportCase {
    const char* what;
    const char* text; // nullptr: the file does not exist
    profiles::ProfileStatus expected;
};
void PrintTo(const RefusedImportCase& c, std::ostream* os) {
    *os << c.what;
}

class ProfileListRefusedImport : public ProfileListTest,
                                 public testing::WithParamInterface<RefusedImportCase> {};

TEST_P(ProfileListRefusedImport, ChangesNothingAndSaysWhy) {
    seed({"Game"}, 0);
    profiles::ProfileList list = loaded();
    const fs::path file = dir.path() / "chosen.json";
    if (GetParam().text != nullptr) {
        writeText(file, GetParam().text);
    }
    const std::string listBefore = fileText(listPath());
    const size_t filesBefore = filesInFolder();

    EXPECT_EQ(profiles::ProfileList::checkImportFile(file, nullptr), GetParam().expected);
    const profiles::ProfileResult imported = list.importFrom(file);
    EXPECT_EQ(imported.status, GetParam().expected);
    EXPECT_STRNE(profiles::describeProfileStatus(imported.status),
                 profiles::describeProfileStatus(profiles::ProfileStatus::Ok));
    EXPECT_EQ(list.size(), 1);
    EXPECT_EQ(fileText(listPath()), listBefore);
    EXPECT_EQ(filesInFolder(), filesBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileListRefusedImport,
    testing::Values(
        RefusedImportCase{"Missing", nullptr, profiles::ProfileStatus::ImportUnreadable},
        RefusedImportCase{"NotJson", "this is no profile", profiles::ProfileStatus::ImportNotJson},
        RefusedImportCase{"EmptyFile", "", profiles::ProfileStatus::ImportNotJson},
        RefusedImportCase{"NoProfileUUID", R"({"profilename": "Game", "Device": []})",
                          profiles::ProfileStatus::ImportNoIdentifier},
        RefusedImportCase{"NoProfileName", R"({"profileUUID": "x"})",
                          profiles::ProfileStatus::ImportNoName},
        RefusedImportCase{"NameIsNoText", R"({"profilename": 5, "profileUUID": "x"})",
                          profiles::ProfileStatus::ImportNoName},
        RefusedImportCase{"NoObject", R"([{"profilename": "Game", "profileUUID": "x"}])",
                          profiles::ProfileStatus::ImportNoName}),
    caseName<RefusedImportCase>);

// ---- rename ----

struct RenameCase {
    const char* what;
    std::string newName;
    profiles::ProfileStatus expected;
};
void PrintTo(const RenameCase& c, std::ostream* os) {
    *os << c.what;
}

class ProfileListRename : public ProfileListTest, public testing::WithParamInterface<RenameCase> {};

TEST_P(ProfileListRename, RefusesNamesInUseAndRenamesListAndFile) {
    seed({"A", "b"}, 0);
    profiles::ProfileList list = loaded();
    const profiles::ProfileResult renamed = list.renameSelected(GetParam().newName);
    EXPECT_EQ(renamed.status, GetParam().expected);

    const std::string expectedName = renamed.ok() ? GetParam().newName : "A";
    EXPECT_EQ(namesOf(list.entries()), (std::vector<std::string>{expectedName, "b"}));
    EXPECT_EQ(listedEntries(listFile()), list.entries());
    EXPECT_EQ(profileFile("id0")["profilename"], expectedName);
    EXPECT_EQ(profileFile("id0")["Device"][0]["Marker"], 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileListRename,
    testing::Values(RenameCase{"OwnName", "A", profiles::ProfileStatus::NameInUse},
                    RenameCase{"OwnNameOtherCase", "a", profiles::ProfileStatus::NameInUse},
                    RenameCase{"OtherEntrysName", "B", profiles::ProfileStatus::NameInUse},
                    RenameCase{"Empty", "", profiles::ProfileStatus::EmptyName},
                    RenameCase{"FreeName", "Shooter", profiles::ProfileStatus::Ok}),
    caseName<RenameCase>);

TEST_F(ProfileListTest, NameInUseMapsToItsMessage) {
    EXPECT_STREQ(profiles::profileStatusMessageKey(profiles::ProfileStatus::NameInUse),
                 "message_text_5");
}

// ---- delete ----

struct DeleteCase {
    std::vector<std::string> names;
    int selected;
    profiles::ProfileStatus expected;
    int newSelection;
};
void PrintTo(const DeleteCase& c, std::ostream* os) {
    *os << c.names.size() << " profiles, selected " << c.selected;
}

class ProfileListDelete : public ProfileListTest, public testing::WithParamInterface<DeleteCase> {};

TEST_P(ProfileListDelete, RemovesTheSelectedProfileAndSelectsItsNeighbour) {
    const DeleteCase& c = GetParam();
    seed(c.names, c.selected);
    profiles::ProfileList list = loaded();
    const std::vector<profiles::ProfileEntry> before = list.entries();

    const profiles::ProfileResult deleted = list.deleteSelected();
    EXPECT_EQ(deleted.status, c.expected);
    if (!deleted.ok()) {
        EXPECT_EQ(list.entries(), before);
        EXPECT_TRUE(fs::exists(folder / "id0.Json"));
        return;
    }
    std::vector<profiles::ProfileEntry> expected = before;
    expected.erase(expected.begin() + c.selected);
    EXPECT_EQ(list.entries(), expected);
    EXPECT_EQ(listedEntries(listFile()), expected);
    EXPECT_FALSE(fs::exists(folder / (before[c.selected].identifier + ".Json")));
    EXPECT_EQ(deleted.index, c.newSelection);
    EXPECT_EQ(listFile()["profileselect"], c.newSelection);
    EXPECT_EQ(list.selectedIndex(), c.newSelection);
    EXPECT_EQ(list.selectedIdentifier(), expected[c.newSelection].identifier);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileListDelete,
    testing::Values(DeleteCase{{"only"}, 0, profiles::ProfileStatus::LastProfile, 0},
                    DeleteCase{{"a", "b", "c"}, 0, profiles::ProfileStatus::Ok, 0},
                    DeleteCase{{"a", "b", "c"}, 1, profiles::ProfileStatus::Ok, 0},
                    DeleteCase{{"a", "b", "c"}, 2, profiles::ProfileStatus::Ok, 1},
                    DeleteCase{{"a", "b"}, 1, profiles::ProfileStatus::Ok, 0}));

// ---- reset ----

TEST_F(ProfileListTest, HeadsetResetKeepsTheCustomEqualisers) {
    seed({"music"}, 0);
    Json::Value old = profileFile("id0");
    old["Device"][0]["LightInfo"]["Light"] = 99;
    old["Device"][0]["CustomEQNameInfo"] = parse(R"([{"Name": "Mine"}, {"Name": "Bass"}])");
    old["Device"][0]["CustomEQHzValueInfo"] = parse(R"([[{"value": 5}], [{"value": 9}]])");
    ASSERT_TRUE(writejsonFile(folder / "id0.Json", old));

    profiles::ProfileList list = loaded(profiles::kHeadsetDeviceType);
    ASSERT_TRUE(list.resetSelected().ok());

    Json::Value expected = defaultProfile();
    expected["profilename"] = "music";
    expected["profileUUID"] = "id0";
    expected["Device"][0]["CustomEQNameInfo"] = old["Device"][0]["CustomEQNameInfo"];
    expected["Device"][0]["CustomEQHzValueInfo"] = old["Device"][0]["CustomEQHzValueInfo"];
    EXPECT_EQ(profileFile("id0"), expected);
}

TEST_F(ProfileListTest, HeadsetResetWithoutOwnEqualisersKeepsTheDefaultOnes) {
    seed({"music"}, 0);
    profiles::ProfileList list = loaded(profiles::kHeadsetDeviceType);
    ASSERT_TRUE(list.resetSelected().ok());
    Json::Value expected = defaultProfile();
    expected["profilename"] = "music";
    expected["profileUUID"] = "id0";
    EXPECT_EQ(profileFile("id0"), expected);
}

TEST_F(ProfileListTest, KeyboardResetReplacesEverythingButNameAndIdentifier) {
    seed({"typing"}, 0);
    Json::Value old = profileFile("id0");
    old["Device"][0]["CustomEQNameInfo"] = parse(R"([{"Name": "Mine"}])");
    old["Extra"] = 1;
    ASSERT_TRUE(writejsonFile(folder / "id0.Json", old));

    profiles::ProfileList list = loaded(kKeyboard);
    ASSERT_TRUE(list.resetSelected().ok());
    Json::Value expected = defaultProfile();
    expected["profilename"] = "typing";
    expected["profileUUID"] = "id0";
    EXPECT_EQ(profileFile("id0"), expected);
}

// ---- export ----

TEST_F(ProfileListTest, ExportWritesTheSelectedProfile) {
    seed({"a", "b"}, 1);
    profiles::ProfileList list = loaded();
    const fs::path destination = dir.path() / "out.json";
    ASSERT_TRUE(list.exportTo(destination).ok());
    EXPECT_EQ(readjsonFile(destination), profileFile("id1"));
    EXPECT_EQ(profiles::ProfileList::checkImportFile(destination, nullptr),
              profiles::ProfileStatus::Ok);
}

TEST_F(ProfileListTest, ExportOfAMissingProfileFileWritesNothing) {
    seed({"a"}, 0);
    profiles::ProfileList list = loaded();
    fs::remove(folder / "id0.Json");
    const fs::path destination = dir.path() / "out.json";
    EXPECT_EQ(list.exportTo(destination).status, profiles::ProfileStatus::ProfileUnreadable);
    EXPECT_FALSE(fs::exists(destination));
}

// ---- the list file changing behind our back ----

TEST_F(ProfileListTest, ListFileLostBetweenOperationsIsRewrittenWhole) {
    seed({"a", "b"}, 1);
    profiles::ProfileList list = loaded();
    fs::remove(listPath());

    ASSERT_TRUE(list.add().ok());
    const Json::Value stored = listFile();
    EXPECT_EQ(listedEntries(stored), list.entries());
    EXPECT_EQ(stored["profilelist"].size(), 3u);
    for (const Json::Value& element : stored["profilelist"]) {
        EXPECT_TRUE(element.isObject());
    }
}

TEST_F(ProfileListTest, OtherMembersOfTheListFileAreKept) {
    seed({"a"}, 0);
    Json::Value stored = listFile();
    stored["comment"] = "kept";
    stored["profilelist"][0]["extra"] = 7;
    ASSERT_TRUE(writejsonFile(listPath(), stored));

    profiles::ProfileList list = loaded();
    ASSERT_TRUE(list.add().ok());
    EXPECT_EQ(listFile()["comment"], "kept");
    EXPECT_EQ(listFile()["profilelist"][0]["extra"], 7);
}

// ---- failed writes ----

TEST_F(ProfileListTest, FailedWritesAreReportedAndChangeNothingHeld) {
    seed({"a", "b"}, 0);
    profiles::ProfileList list = loaded();
    const std::vector<profiles::ProfileEntry> before = list.entries();
    fs::remove_all(folder); // nothing can be written there any more

    EXPECT_EQ(list.add().status, profiles::ProfileStatus::WriteFailed);
    EXPECT_EQ(list.copySelected().status, profiles::ProfileStatus::WriteFailed);
    EXPECT_EQ(list.renameSelected("c").status, profiles::ProfileStatus::WriteFailed);
    EXPECT_EQ(list.deleteSelected().status, profiles::ProfileStatus::WriteFailed);
    EXPECT_EQ(list.resetSelected().status, profiles::ProfileStatus::WriteFailed);
    EXPECT_EQ(list.entries(), before);
    EXPECT_EQ(list.selectedIndex(), 0);
}

} // namespace
} // namespace morva
