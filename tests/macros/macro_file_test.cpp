#include "base/json_file.h"
#include "macros/macro_document.h"
#include "macros/macro_file.h"
#include "tests/profiles/profile_test_support.h"
#include "tests/support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <json/reader.h>
#include <string>
#include <vector>

namespace morva {
namespace {

using macros::MacroEvent;

class MacroFileTest : public ::testing::Test {
protected:
    std::filesystem::path file(const std::string& identifier) const {
        return temp.path() / (identifier + ".mac");
    }
    test::TempDir temp;
};

TEST_F(MacroFileTest, SavesNameIdentifierEventsAndVersionWithDelaysAsText) {
    const std::vector<MacroEvent> events = {{10, 0x04, "down", "35"}, {10, 0x04, "up", "0"}};
    ASSERT_EQ(macros::writeMacro(temp.path(), "2019_09_23_14_05_09_123", "Jump", events),
              FileWriteStatus::Ok);
    const Json::Value saved = readjsonFile(file("2019_09_23_14_05_09_123"));
    EXPECT_EQ(saved, test::parseJson(R"({"MacroName": "Jump", "Guid": "2019_09_23_14_05_09_123",
        "Events": [{"Type": 10, "Button": 4, "Action": "down", "Delay": "35"},
                   {"Type": 10, "Button": 4, "Action": "up", "Delay": "0"}],
        "Version": 64})"));
    EXPECT_EQ(macros::readMacro(temp.path(), "2019_09_23_14_05_09_123"), events);
}

TEST_F(MacroFileTest, AMacroSavedEmptyHasNoEventsMember) {
    ASSERT_EQ(macros::writeMacro(temp.path(), "id", "Empty", {}), FileWriteStatus::Ok);
    const Json::Value saved = readjsonFile(file("id"));
    EXPECT_FALSE(saved.isMember("Events"));
    EXPECT_EQ(saved["Version"], 64);
    EXPECT_TRUE(macros::readMacro(temp.path(), "id").empty());
}

TEST_F(MacroFileTest, EventsNothingNamesSurviveALoadAndASave) {
    // Types 2 and 3, an unknown key, odd actions and delays: all stay as the file had them.
    test::writeText(file("odd"),
                    R"({"MacroName": "stale", "Guid": "other", "Version": 64, "Events": [
        {"Type": 2, "Button": 77, "Action": "down", "Delay": "10"},
        {"Type": 3, "Button": 300, "Action": "sideways", "Delay": "00035"},
        {"Type": 10, "Button": 232, "Action": "Down", "Delay": "70000"},
        {"Type": 10, "Button": 4, "Action": "", "Delay": "abc"}]})");
    const std::vector<MacroEvent> loaded = macros::readMacro(temp.path(), "odd");
    const std::vector<MacroEvent> expected = {{2, 77, "down", "10"},
                                              {3, 300, "sideways", "00035"},
                                              {10, 232, "Down", "70000"},
                                              {10, 4, "", "abc"}};
    ASSERT_EQ(loaded, expected);
    ASSERT_EQ(macros::writeMacro(temp.path(), "odd", "stale", loaded), FileWriteStatus::Ok);
    EXPECT_EQ(macros::readMacro(temp.path(), "odd"), expected);
    EXPECT_EQ(readjsonFile(file("odd"))["Guid"], "odd") << "a save writes its own identifier";
}

TEST_F(MacroFileTest, WhatIsNoMacroReadsAsOneWithoutEvents) {
    const struct {
        const char* name;
        const char* content; // nullptr: no file
    } cases[] = {
        {"missing", nullptr},
        {"empty", ""},
        {"damaged", "{\"Events\": [{\"Type\": 10,"},
        {"null", "null"},
        {"array", "[{\"Type\": 10, \"Button\": 4}]"},
        {"noEvents", "{\"MacroName\": \"x\", \"Guid\": \"x\", \"Version\": 64}"},
        {"eventsNoArray", "{\"Events\": {\"Type\": 10}}"},
    };
    for (const auto& c : cases) {
        if (c.content != nullptr) {
            test::writeText(file(c.name), c.content);
        }
        EXPECT_TRUE(macros::readMacro(temp.path(), c.name).empty()) << c.name;
    }
    std::filesystem::create_directory(file("folder"));
    EXPECT_TRUE(macros::readMacro(temp.path(), "folder").empty());
}

TEST_F(MacroFileTest, ElementsThatAreNoObjectsAreNoEvents) {
    test::writeText(file("mixed"), R"({"Events": [7, {"Type": 1, "Button": 1, "Action": "down",
        "Delay": "5"}, "x", null]})");
    const std::vector<MacroEvent> expected = {{1, 1, "down", "5"}};
    EXPECT_EQ(macros::readMacro(temp.path(), "mixed"), expected);
}

TEST_F(MacroFileTest, AnIdentifierThatWouldLeaveTheFolderNamesNoFile) {
    std::filesystem::create_directory(temp.path() / "inner");
    const std::vector<MacroEvent> events = {{10, 4, "down", "1"}};
    ASSERT_EQ(macros::writeMacro(temp.path(), "x", "x", events), FileWriteStatus::Ok);
    for (const char* identifier : {"", "../x", "inner/../x", "/tmp/x"}) {
        EXPECT_FALSE(macros::isUsableIdentifier(identifier)) << identifier;
        EXPECT_TRUE(macros::macroFilePath(temp.path() / "inner", identifier).empty());
        EXPECT_TRUE(macros::readMacro(temp.path() / "inner", identifier).empty()) << identifier;
        EXPECT_EQ(macros::writeMacro(temp.path() / "inner", identifier, "x", {}),
                  FileWriteStatus::Failed)
            << identifier;
    }
    EXPECT_EQ(macros::readMacro(temp.path(), "x"), events) << "nothing was written over it";
}

TEST(MacroDocument, TellsMacroFilesFromOtherDocuments) {
    const struct {
        const char* json;
        bool macro;
    } cases[] = {
        {R"({"Events": [{"Type": 10, "Button": 4, "Action": "down", "Delay": "3"}]})", true},
        {R"({"MacroName": "m", "Guid": "g", "Events": [], "Version": 64})", true},
        {R"({"MacroName": "m", "Guid": "g", "Version": 64})", true},
        {R"({"MacroName": "m", "Version": 64})", false},
        {R"({"profilename": "p", "profileUUID": "u"})", false},
        {R"({"Events": [{"Button": 4}]})", false},
        {R"({"Events": [{"Type": "10"}]})", false},
        {R"({"Events": [3]})", false},
        {R"({"Events": {"Type": 10}})", false},
        {R"([{"Type": 10}])", false},
        {"null", false},
        {"\"text\"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(macros::isMacroDocument(test::parseJson(c.json)), c.macro) << c.json;
    }
}

TEST(MacroDocument, AnyDocumentTheProgramWritesIsAMacro) {
    EXPECT_TRUE(macros::isMacroDocument(macros::macroToJson("m", "id", {})));
    EXPECT_TRUE(macros::isMacroDocument(macros::macroToJson("m", "id", {{2, 1, "", "x"}})));
}

} // namespace
} // namespace morva
