#include "base/json_file.h"
#include "macros/macro_file.h"
#include "macros/macro_list.h"
#include "macros/macro_list_edits.h"
#include "macros/new_macro.h"
#include "macros/pad_macro_names.h"
#include "tests/profiles/profile_test_support.h"
#include "tests/support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <json/reader.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace morva {
namespace {

using macros::MacroList;
using macros::MacroListStatus;

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class MacroListTest : public ::testing::Test {
protected:
    std::filesystem::path listFile() const { return temp.path() / "macro.config"; }
    MacroList list() const { return macros::readMacroList(temp.path()); }
    // A list of macros "m0", "m1", ... with identifiers "id0", "id1", ...
    void fill(int count) {
        for (int i = 0; i < count; ++i) {
            const std::string number = std::to_string(i);
            ASSERT_TRUE(macros::appendMacroEntry(temp.path(), "m" + number, "id" + number).ok());
        }
    }
    test::TempDir temp;
};

TEST_F(MacroListTest, NoFileIsAnEmptyListAndTheFirstAppendCreatesIt) {
    EXPECT_TRUE(list().empty());
    EXPECT_FALSE(std::filesystem::exists(listFile()));
    const macros::MacroListChange added =
        macros::appendMacroEntry(temp.path(), "macro_1", "2019_09_23_14_05_09_123");
    ASSERT_TRUE(added.ok()) << macros::describeMacroListChange(added);
    EXPECT_EQ(added.number, 0);
    EXPECT_EQ(readjsonFile(listFile()), test::parseJson(R"({"MacroInfo": [{"MacroName": "macro_1",
                                        "Guid": "2019_09_23_14_05_09_123"}]})"));
    EXPECT_EQ(list(), (MacroList{{"macro_1", "2019_09_23_14_05_09_123"}}));
}

TEST_F(MacroListTest, AppendAddsAtTheEndInOrder) {
    fill(3);
    EXPECT_EQ(list(), (MacroList{{"m0", "id0"}, {"m1", "id1"}, {"m2", "id2"}}));
    EXPECT_EQ(macros::appendMacroEntry(temp.path(), "m3", "id3").number, 3);
}

TEST_F(MacroListTest, RemovingAnEntryMovesTheLaterOnesUp) {
    const struct {
        int removed;
        MacroList after;
    } cases[] = {
        {0, {{"m1", "id1"}, {"m2", "id2"}}},
        {1, {{"m0", "id0"}, {"m2", "id2"}}},
        {2, {{"m0", "id0"}, {"m1", "id1"}}},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(listFile());
        fill(3);
        const macros::MacroListChange removed = macros::removeMacroEntry(temp.path(), c.removed);
        ASSERT_TRUE(removed.ok()) << c.removed;
        EXPECT_EQ(removed.number, c.removed);
        EXPECT_EQ(list(), c.after) << "removed " << c.removed;
    }
}

TEST_F(MacroListTest, RenameChangesOnlyThatEntrysName) {
    fill(3);
    ASSERT_TRUE(macros::renameMacroEntry(temp.path(), 1, "Jump").ok());
    EXPECT_EQ(list(), (MacroList{{"m0", "id0"}, {"Jump", "id1"}, {"m2", "id2"}}));
}

TEST_F(MacroListTest, NumbersOutsideTheListChangeNothing) {
    fill(2);
    const std::string before = readText(listFile());
    for (const int number : {-1, 2, 50, 1000}) {
        EXPECT_EQ(macros::renameMacroEntry(temp.path(), number, "x").status,
                  MacroListStatus::NoSuchMacro)
            << number;
        EXPECT_EQ(macros::removeMacroEntry(temp.path(), number).status,
                  MacroListStatus::NoSuchMacro)
            << number;
    }
    EXPECT_EQ(readText(listFile()), before);
    std::filesystem::remove(listFile());
    EXPECT_EQ(macros::removeMacroEntry(temp.path(), 0).status, MacroListStatus::NoSuchMacro);
    EXPECT_FALSE(std::filesystem::exists(listFile())) << "no file is made for nothing";
}

TEST_F(MacroListTest, NamesAreUniqueWithoutRegardToCase) {
    fill(1);
    ASSERT_TRUE(macros::appendMacroEntry(temp.path(), "Été", "id_e").ok());
    const struct {
        const char* name;
        MacroListStatus status;
    } cases[] = {
        {"m0", MacroListStatus::NameTaken},  {"M0", MacroListStatus::NameTaken},
        {"éTÉ", MacroListStatus::NameTaken}, {"ete", MacroListStatus::Ok},
        {"", MacroListStatus::EmptyName},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(macros::nameTaken(list(), c.name), c.status == MacroListStatus::NameTaken)
            << c.name;
        const MacroList before = list();
        const macros::MacroListChange added = macros::appendMacroEntry(temp.path(), c.name, "new");
        EXPECT_EQ(added.status, c.status) << c.name;
        if (!added.ok()) {
            EXPECT_EQ(list(), before) << c.name;
        }
    }
    // A rename to any name in the list, its own in other letter case included, is refused.
    EXPECT_EQ(macros::renameMacroEntry(temp.path(), 0, "M0").status, MacroListStatus::NameTaken);
    EXPECT_EQ(macros::renameMacroEntry(temp.path(), 0, "ÉTÉ").status, MacroListStatus::NameTaken);
    EXPECT_EQ(macros::renameMacroEntry(temp.path(), 0, "").status, MacroListStatus::EmptyName);
    EXPECT_EQ(list()[0].name, "m0");
}

TEST_F(MacroListTest, TheListHoldsAtMostFiftyMacros) {
    fill(static_cast<int>(macros::kMaxMacros));
    const std::string before = readText(listFile());
    const macros::MacroListChange refused = macros::appendMacroEntry(temp.path(), "one more", "x");
    EXPECT_EQ(refused.status, MacroListStatus::Full);
    EXPECT_NE(macros::describeMacroListChange(refused).find("50"), std::string::npos);
    EXPECT_EQ(readText(listFile()), before);
    ASSERT_TRUE(macros::removeMacroEntry(temp.path(), 0).ok());
    EXPECT_TRUE(macros::appendMacroEntry(temp.path(), "one more", "x").ok());
    EXPECT_EQ(list().size(), macros::kMaxMacros);
}

TEST_F(MacroListTest, ChangesKeepWhatElseTheDocumentHolds) {
    test::writeText(listFile(), R"({"Owner": {"kept": true}, "MacroInfo": [
        {"MacroName": "a", "Guid": "ida", "Colour": 3}, {"MacroName": "b", "Guid": "idb"}]})");
    ASSERT_TRUE(macros::appendMacroEntry(temp.path(), "c", "idc").ok());
    ASSERT_TRUE(macros::renameMacroEntry(temp.path(), 0, "A2").ok());
    ASSERT_TRUE(macros::removeMacroEntry(temp.path(), 1).ok());
    EXPECT_EQ(readjsonFile(listFile()), test::parseJson(R"({"Owner": {"kept": true}, "MacroInfo": [
        {"MacroName": "A2", "Guid": "ida", "Colour": 3}, {"MacroName": "c", "Guid": "idc"}]})"));
}

TEST_F(MacroListTest, ADamagedListReadsEmptyAndIsKeptWhenReplaced) {
    const char* damaged[] = {"", "{\"MacroInfo\": [", "[1, 2]", "{\"MacroInfo\": 5}", "null"};
    for (const char* content : damaged) {
        test::writeText(listFile(), content);
        std::filesystem::remove(temp.path() / "macro.config.bad");
        EXPECT_TRUE(list().empty()) << content;
        EXPECT_EQ(macros::removeMacroEntry(temp.path(), 0).status, MacroListStatus::NoSuchMacro);
        EXPECT_EQ(readText(listFile()), content) << "a refused change leaves the file alone";
        const macros::MacroListChange added = macros::appendMacroEntry(temp.path(), "m", "id");
        ASSERT_TRUE(added.ok()) << content;
        EXPECT_EQ(list(), (MacroList{{"m", "id"}})) << content;
        const bool kept = std::string(content).size() > 0; // an empty file holds nothing to keep
        EXPECT_EQ(added.keptBroken, kept) << content;
        EXPECT_EQ(std::filesystem::exists(temp.path() / "macro.config.bad"), kept) << content;
    }
}

TEST_F(MacroListTest, EntriesThatAreNoObjectsKeepTheirPlaces) {
    test::writeText(listFile(), R"({"MacroInfo": [{"MacroName": "a", "Guid": "ida"}, 7,
        {"MacroName": "c", "Guid": "idc"}]})");
    EXPECT_EQ(list(), (MacroList{{"a", "ida"}, {"", ""}, {"c", "idc"}}))
        << "positions are macro numbers";
    ASSERT_TRUE(macros::renameMacroEntry(temp.path(), 1, "b").ok());
    EXPECT_EQ(list()[1].name, "b");
}

TEST_F(MacroListTest, AListThatCannotBeReadIsNotOverwritten) {
    std::filesystem::create_directory(listFile());
    EXPECT_TRUE(list().empty());
    EXPECT_EQ(macros::appendMacroEntry(temp.path(), "m", "id").status, MacroListStatus::Unreadable);
    EXPECT_TRUE(std::filesystem::is_directory(listFile()));
}

TEST_F(MacroListTest, AReadOnlyListIsNotChanged) {
    fill(1);
    ::chmod(listFile().c_str(), 0444);
    const macros::MacroListChange change = macros::appendMacroEntry(temp.path(), "m1", "id1");
    EXPECT_EQ(change.status, MacroListStatus::NotWritten);
    EXPECT_EQ(change.write, FileWriteStatus::ReadOnly);
    EXPECT_EQ(list().size(), 1u);
}

// The macro files in the folder.
size_t macroFileCount(const std::filesystem::path& folder) {
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        count += entry.path().extension() == ".mac" ? 1 : 0;
    }
    return count;
}

TEST_F(MacroListTest, AddingAMacroMakesItsFileAndEntryOrNeither) {
    const std::vector<macros::MacroEvent> events = {macros::makeMacroEvent(10, 4, true, 35)};
    const macros::AddedMacro added = macros::addMacro(temp.path(), "Jump", events);
    ASSERT_TRUE(added.ok()) << macros::describeMacroListChange(added.change);
    EXPECT_EQ(added.change.number, 0);
    EXPECT_EQ(list(), (MacroList{{"Jump", added.identifier}}));
    EXPECT_EQ(macros::readMacro(temp.path(), added.identifier), events);

    EXPECT_EQ(macros::addMacro(temp.path(), "JUMP", events).change.status,
              MacroListStatus::NameTaken);
    EXPECT_EQ(macros::addMacro(temp.path(), "", events).change.status, MacroListStatus::EmptyName);
    EXPECT_EQ(macroFileCount(temp.path()), 1u);
    // An entry that cannot be written takes its new file away again.
    ::chmod(listFile().c_str(), 0444);
    const macros::AddedMacro refused = macros::addMacro(temp.path(), "Run", events);
    EXPECT_EQ(refused.change.status, MacroListStatus::NotWritten);
    EXPECT_TRUE(refused.identifier.empty());
    EXPECT_EQ(macroFileCount(temp.path()), 1u);
    EXPECT_EQ(list().size(), 1u);
}

TEST_F(MacroListTest, AFullListGetsNoNewMacroFile) {
    fill(static_cast<int>(macros::kMaxMacros));
    EXPECT_EQ(macros::addMacro(temp.path(), "one more", {}).change.status, MacroListStatus::Full);
    EXPECT_EQ(macroFileCount(temp.path()), 0u);
}

TEST_F(MacroListTest, FindsAnEntryByIdentifier) {
    fill(3);
    EXPECT_EQ(macros::findMacroByIdentifier(list(), "id2"), 2);
    EXPECT_EQ(macros::findMacroByIdentifier(list(), "id3"), -1);
}

TEST_F(MacroListTest, PadMacroNamesAreReadFromTheirOwnFileOnly) {
    EXPECT_TRUE(macros::readPadMacroNames(temp.path()).empty());
    fill(2);
    EXPECT_TRUE(macros::readPadMacroNames(temp.path()).empty()) << "macro.config is not theirs";
    test::writeText(temp.path() / "tavro_macro.config", R"({"MacroInfo": [
        {"MacroName": "Sprint", "Guid": "a"}, {"MacroName": "Reload", "Guid": "b"}]})");
    EXPECT_EQ(macros::readPadMacroNames(temp.path()),
              (std::vector<std::string>{"Sprint", "Reload"}));
    test::writeText(temp.path() / "tavro_macro.config", "{\"MacroInfo\": [");
    EXPECT_TRUE(macros::readPadMacroNames(temp.path()).empty());
}

} // namespace
} // namespace morva
