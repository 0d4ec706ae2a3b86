#include "base/json_file.h"
#include "macros/macro_file.h"
#include "macros/macro_identifier.h"
#include "tests/proflist/fixed_local_time.h"
#include "tests/support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace morva {
namespace {

class MacroIdentifierTest : public ::testing::Test {
protected:
    test::TempDir temp;
    test::FixedLocalTime time{{2019, 9, 23, 14, 5, 9, 123}};
};

TEST_F(MacroIdentifierTest, IsTheLocalTimeToTheMillisecondAndNamesTheNewFile) {
    const std::vector<macros::MacroEvent> events = {{10, 4, "down", "35"}};
    const macros::CreatedMacroFile made =
        macros::createMacroFile(temp.path(), {}, "Jump", events, time);
    ASSERT_TRUE(made.ok());
    EXPECT_EQ(made.identifier, "2019_09_23_14_05_09_123");
    EXPECT_EQ(macros::readMacro(temp.path(), made.identifier), events);
    const Json::Value document = readjsonFile(temp.path() / "2019_09_23_14_05_09_123.mac");
    EXPECT_EQ(document["MacroName"], "Jump");
    EXPECT_EQ(document["Guid"], "2019_09_23_14_05_09_123");
    EXPECT_EQ(document["Version"], 64);
}

TEST_F(MacroIdentifierTest, MacrosMadeWithinOneMillisecondNeverShareAFile) {
    time.set({2019, 12, 31, 23, 59, 59, 998});
    macros::MacroList list;
    std::set<std::string> made;
    for (int i = 0; i < 3; ++i) {
        const std::string name = "m" + std::to_string(i);
        const macros::CreatedMacroFile file =
            macros::createMacroFile(temp.path(), list, name, {{1, 1, "down", "1"}}, time);
        ASSERT_TRUE(file.ok());
        made.insert(file.identifier);
        // Each file holds its own macro: no later one wrote over it.
        EXPECT_EQ(readjsonFile(macros::macroFilePath(temp.path(), file.identifier))["MacroName"],
                  name);
    }
    EXPECT_EQ(made, (std::set<std::string>{"2019_12_31_23_59_59_998", "2019_12_31_23_59_59_999",
                                           "2020_01_01_00_00_00_000"}));
}

TEST_F(MacroIdentifierTest, AnIdentifierTheListHoldsIsTakenEvenWithoutItsFile) {
    // A macro just added has no file until it is first saved.
    const macros::MacroList list = {{"old", "2019_09_23_14_05_09_123"},
                                    {"older", "2019_09_23_14_05_09_124"}};
    const macros::CreatedMacroFile made =
        macros::createMacroFile(temp.path(), list, "new", {}, time);
    ASSERT_TRUE(made.ok());
    EXPECT_EQ(made.identifier, "2019_09_23_14_05_09_125");
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "2019_09_23_14_05_09_123.mac"));
}

TEST_F(MacroIdentifierTest, AFileAnotherProgramMadeIsLeftAlone) {
    std::ofstream(temp.path() / "2019_09_23_14_05_09_123.mac") << "theirs";
    const macros::CreatedMacroFile made = macros::createMacroFile(temp.path(), {}, "new", {}, time);
    ASSERT_TRUE(made.ok());
    EXPECT_EQ(made.identifier, "2019_09_23_14_05_09_124");
    std::ifstream in(temp.path() / "2019_09_23_14_05_09_123.mac");
    std::string content;
    in >> content;
    EXPECT_EQ(content, "theirs");
}

TEST_F(MacroIdentifierTest, AFolderThatCannotTakeTheFileGivesNoIdentifier) {
    const macros::CreatedMacroFile made =
        macros::createMacroFile(temp.path() / "missing", {}, "new", {}, time);
    EXPECT_FALSE(made.ok());
    EXPECT_TRUE(made.identifier.empty());
}

} // namespace
} // namespace morva
