#include "base/json_file.h"
#include "macros/macro_document.h"
#include "macros/macro_file.h"
#include "macros/macro_list.h"
#include "macros/macro_list_edits.h"
#include "profiles/data_folders.h"
#include "tests/profiles/profile_test_support.h"
#include "tests/support/morvactl_run.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace morva {
namespace {

using macros::MacroEvent;
using test::morvactl;

const std::vector<MacroEvent> kJumpEvents = {
    {9, 0x02, "down", "20"},      {10, 0x2C, "down", "35"}, {10, 0x2C, "up", "00015"},
    {9, 0x02, "up", "0"},         {1, 0x01, "down", "5"},   {4, 12, "down", "0"},
    {2, 77, "sideways", "70000"}, {10, 0xE8, "down", "1"},
};

// What "macro show" prints but its last line, the total.
std::string eventLines(const std::string& shown) {
    const size_t last = shown.size() < 2 ? std::string::npos : shown.rfind('\n', shown.size() - 2);
    return last == std::string::npos ? std::string() : shown.substr(0, last + 1);
}

// The macro commands on the macros of a throw-away data folder.
class MorvactlMacro : public ::testing::Test {
protected:
    std::filesystem::path folder(const std::string& device) const {
        return profiles::folders::deviceDataFolder(device);
    }
    // Stores a macro as the program's macro panel does: its file, then its list entry.
    void store(const std::string& device, const std::string& name, const std::string& identifier,
               const std::vector<MacroEvent>& events) {
        ASSERT_EQ(macros::writeMacro(folder(device), identifier, name, events),
                  FileWriteStatus::Ok);
        ASSERT_TRUE(macros::appendMacroEntry(folder(device), name, identifier).ok());
    }
    // Every file in the device's folder, to see that a refused command stored nothing.
    std::set<std::string> files(const std::string& device) const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder(device))) {
            names.insert(entry.path().filename().string() + "=" + test::readText(entry.path()));
        }
        return names;
    }

    test::TempDir dataHome;
    test::ScopedEnv xdg{"XDG_DATA_HOME", dataHome.path().c_str()};
};

TEST_F(MorvactlMacro, ListsEveryMacroWithItsNumberEventsAndIdentifier) {
    test::MorvactlRun run = morvactl({"macro", "list", "keyboard"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "") << "a device without macros lists none";

    store("keyboard", "Jump", "2019_09_23_14_05_09_123", kJumpEvents);
    store("keyboard", "Empty", "2019_09_23_14_05_09_124", {});
    run = morvactl({"macro", "list", "KEYBOARD"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "0: Jump  8 events  (2019_09_23_14_05_09_123)\n"
                       "1: Empty  0 events  (2019_09_23_14_05_09_124)\n");
}

TEST_F(MorvactlMacro, ShowsEachEventByNameAndTheTotal) {
    store("keyboard", "Jump", "2019_09_23_14_05_09_123", kJumpEvents);
    const std::string expected = "0: down LShift  delay 20 ms\n"
                                 "1: down Space  delay 35 ms\n"
                                 "2: up Space  delay 15 ms\n"
                                 "3: up LShift  delay 0 ms\n"
                                 "4: down mouse left  delay 5 ms\n"
                                 "5: move left 12  delay 0 ms\n"
                                 "6: up type 2 button 77  delay 70000 ms\n"
                                 "7: down key usage 0xE8  delay 1 ms\n"
                                 "0: Jump: 8 events, 70076 ms in all\n";
    for (const char* wanted : {"Jump", "jump", "0"}) {
        const test::MorvactlRun run = morvactl({"macro", "show", "keyboard", wanted});
        ASSERT_EQ(run.exitCode, 0) << wanted << ": " << run.err;
        EXPECT_EQ(run.out, expected) << wanted;
    }
}

TEST_F(MorvactlMacro, ANameIsFoundBeforeANumber) {
    store("mouse", "first", "id_a", {{1, 1, "down", "1"}});
    store("mouse", "0", "id_b", {{1, 2, "down", "1"}, {1, 2, "up", "1"}});
    EXPECT_NE(morvactl({"macro", "show", "mouse", "0"}).out.find("1: 0: 2 events"),
              std::string::npos);
    EXPECT_NE(morvactl({"macro", "show", "mouse", "1"}).out.find("1: 0: 2 events"),
              std::string::npos);
}

TEST_F(MorvactlMacro, ExportAndImportCarryAMacroToAnotherDevice) {
    store("keyboard", "Jump", "2019_09_23_14_05_09_123", kJumpEvents);
    const std::filesystem::path exported = dataHome.path() / "jump.mac";
    test::MorvactlRun run = morvactl({"macro", "export", "keyboard", "Jump", exported.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readjsonFile(exported),
              macros::macroToJson("Jump", "2019_09_23_14_05_09_123", kJumpEvents));

    run = morvactl({"macro", "import", "mouse", exported.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const macros::MacroList list = macros::readMacroList(folder("mouse"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name, "Jump") << "the name the file holds";
    EXPECT_NE(list[0].identifier, "2019_09_23_14_05_09_123") << "a fresh identifier";
    EXPECT_EQ(macros::readMacro(folder("mouse"), list[0].identifier), kJumpEvents);
    EXPECT_EQ(readjsonFile(macros::macroFilePath(folder("mouse"), list[0].identifier))["Guid"],
              list[0].identifier);
    EXPECT_NE(run.out.find("as 0: Jump"), std::string::npos) << run.out;

    // The same file again needs another name.
    run = morvactl({"macro", "import", "mouse", exported.string(), "--name", "Jump twice"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const macros::MacroList after = macros::readMacroList(folder("mouse"));
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[1].name, "Jump twice");
    EXPECT_NE(after[1].identifier, after[0].identifier);
    const std::string original = eventLines(morvactl({"macro", "show", "keyboard", "Jump"}).out);
    EXPECT_NE(original.find("7: down key usage 0xE8"), std::string::npos) << original;
    EXPECT_EQ(eventLines(morvactl({"macro", "show", "mouse", "Jump twice"}).out), original);
}

TEST_F(MorvactlMacro, AnImportWithoutANameInTheFileTakesTheFileName) {
    const std::filesystem::path file = dataHome.path() / "Sprint.mac";
    test::writeText(file, R"({"Events": [{"Type": 10, "Button": 4, "Action": "down",
        "Delay": 3}]})");
    const test::MorvactlRun run = morvactl({"macro", "import", "keyboard", file.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const macros::MacroList list = macros::readMacroList(folder("keyboard"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name, "Sprint");
    const std::vector<MacroEvent> expected = {{10, 4, "down", "3"}};
    EXPECT_EQ(macros::readMacro(folder("keyboard"), list[0].identifier), expected);
}

struct RefusedImport {
    const char* what;
    const char* content; // the imported file; nullptr: there is none
    std::vector<std::string> options;
    const char* message;
};

TEST_F(MorvactlMacro, ARefusedImportStoresNothing) {
    store("keyboard", "Jump", "2019_09_23_14_05_09_123", kJumpEvents);
    const std::string macro = R"({"MacroName": "New", "Events": [{"Type": 1, "Button": 1}]})";
    const RefusedImport cases[] = {
        {"missing", nullptr, {}, "no such file"},
        {"damaged", "{\"Events\": [", {}, "damaged or not JSON"},
        {"empty", "", {}, "damaged or not JSON"},
        {"foreign", R"({"profilename": "p", "profileUUID": "u"})", {}, "not a macro file"},
        {"array", "[1, 2]", {}, "not a macro file"},
        {"taken", R"({"MacroName": "Jump", "Events": []})", {}, "already in the list"},
        {"takenOtherCase", macro.c_str(), {"--name", "JUMP"}, "already in the list"},
        {"emptyName", macro.c_str(), {"--name", ""}, "needs a name"},
    };
    const std::set<std::string> before = files("keyboard");
    for (const RefusedImport& c : cases) {
        const std::filesystem::path file = dataHome.path() / (std::string(c.what) + ".mac");
        if (c.content != nullptr) {
            test::writeText(file, c.content);
        }
        cli::Arguments arguments = {"macro", "import", "keyboard", file.string()};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const test::MorvactlRun run = morvactl(arguments);
        EXPECT_EQ(run.exitCode, 1) << c.what;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.what << ": " << run.err;
        EXPECT_EQ(files("keyboard"), before) << c.what;
    }
}

TEST_F(MorvactlMacro, TheFiftyFirstMacroIsRefused) {
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(macros::appendMacroEntry(folder("mouse"), "m" + std::to_string(i),
                                             "id" + std::to_string(i))
                        .ok());
    }
    const std::filesystem::path file = dataHome.path() / "one.mac";
    test::writeText(file, R"({"MacroName": "one more", "Events": []})");
    const std::set<std::string> before = files("mouse");
    const test::MorvactlRun run = morvactl({"macro", "import", "mouse", file.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("50 macros"), std::string::npos) << run.err;
    EXPECT_EQ(files("mouse"), before);
}

struct RefusedCommand {
    std::vector<std::string> arguments;
    int exitCode;
    const char* message;
};

TEST_F(MorvactlMacro, RefusesWhatItCannotDo) {
    store("keyboard", "Jump", "2019_09_23_14_05_09_123", kJumpEvents);
    const std::string exported = (dataHome.path() / "x.mac").string();
    const RefusedCommand cases[] = {
        {{"macro", "list", "MousePad"}, 1, "only keyboards and mice"},
        {{"macro", "show", "HD", "0"}, 1, "only keyboards and mice"},
        {{"macro", "show", "keyboard", "Run"}, 1, "no macro is named or numbered \"Run\""},
        {{"macro", "show", "keyboard", "1"}, 1, "no macro is named or numbered \"1\""},
        {{"macro", "show", "keyboard", "-1"}, 1, "no macro"},
        {{"macro", "export", "keyboard", "Run", exported}, 1, "no macro"},
        {{"macro", "export", "keyboard", "Jump", dataHome.path().string()}, 1, "not be written"},
        {{"macro", "show", "printer", "0"}, 2, "unknown device"},
        {{"macro", "play", "keyboard"}, 2, "unknown macro operation"},
        {{"macro", "list"}, 2, "needs an operation"},
        {{"macro", "show", "keyboard"}, 2, "takes a macro name or number"},
        {{"macro", "list", "keyboard", "extra"}, 2, "takes nothing"},
        {{"macro", "import", "keyboard", exported, "--name"}, 2, "--name <name>"},
        {{"macro", "import", "keyboard", exported, "--as", "x"}, 2, "--name <name>"},
    };
    for (const RefusedCommand& c : cases) {
        const test::MorvactlRun run = morvactl(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments[1] << " " << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(exported));
}

} // namespace
} // namespace morva
