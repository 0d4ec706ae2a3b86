#include "macros/macro_list_edits.h"
#include "profiles/basic_profiledata.h"
#include "profiles/data_folders.h"
#include "tests/profiles/profile_test_support.h"
#include "tests/support/morvactl_run.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace morva {
namespace {

using profiles::AssignmentCode;
using test::morvactl;

// The key commands on the profiles of a throw-away data folder.
class MorvactlKeys : public ::testing::Test {
protected:
    // The line "keys <device>" prints for one key.
    std::string lineOf(const std::string& device, size_t position) {
        const test::MorvactlRun run = morvactl({"keys", device});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        std::istringstream lines(run.out);
        std::string line;
        std::getline(lines, line); // the profile's name and key count
        for (size_t i = 0; i <= position && std::getline(lines, line); ++i) {
        }
        return line;
    }
    // What the selected profile file holds for the key.
    AssignmentCode stored(const std::string& device, size_t position) {
        const test::MorvactlRun list = morvactl({"profile", "list", device});
        EXPECT_EQ(list.exitCode, 0) << list.err;
        for (const auto& entry :
             std::filesystem::directory_iterator(profiles::folders::deviceDataFolder(device))) {
            if (entry.path().extension() == ".Json") {
                profiles::CBasicProfiledata file;
                file.LoadDeviceEntry(entry.path());
                return file.ReadKeyList().at(position).assignment.code;
            }
        }
        ADD_FAILURE() << "no profile file";
        return {};
    }

    test::TempDir dataHome;
    test::ScopedEnv xdg{"XDG_DATA_HOME", dataHome.path().c_str()};
};

TEST_F(MorvactlKeys, ListsEveryKeyWithItsFactoryFunction) {
    const test::MorvactlRun run = morvactl({"keys", "mouse"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "profile \"profile1\": 10 keys");
    EXPECT_EQ(lineOf("mouse", 0), "  0  Mouse Left       (factory)");
    EXPECT_EQ(lineOf("mouse", 7), "  7  DPI Cycle        (factory)");
    EXPECT_EQ(lineOf("keyboard", 110), "110  Fn               (factory)");
}

TEST_F(MorvactlKeys, SetStoresTheAssignmentInTheSelectedProfile) {
    struct Case {
        std::string device;
        std::string key;
        std::string assignment;
        size_t position;
        AssignmentCode code;
        std::string shown;
    };
    const Case cases[] = {
        {"keyboard", "F1", "ctrl+c", 1, {0x20, 0x01, 0x06}, "Ctrl+C"},
        {"keyboard",
         "2",
         "Wheel down x3",
         2,
         {0x12, 0x00, 0xFD},
         "Wheel down \xC3\x97"
         "3 delay 0 speed 0"},
        {"mouse", "Mouse 4", "Play/Pause", 4, {0x30, 0xCD, 0x00}, "Play/Pause"},
        {"mouse",
         "dpi+",
         "Swing right x3 delay 2 speed 5",
         5,
         {0x11, 0x25, 0x83},
         "Swing right \xC3\x97"
         "3 delay 2 speed 5"},
    };
    for (const Case& c : cases) {
        const test::MorvactlRun run = morvactl({"keys", c.device, "set", c.key, c.assignment});
        ASSERT_EQ(run.exitCode, 0) << c.key << ": " << run.err;
        EXPECT_EQ(stored(c.device, c.position), c.code) << c.key;
        EXPECT_NE(lineOf(c.device, c.position).find(c.shown), std::string::npos) << c.key;
    }
    // "Default" gives the key its factory function back.
    ASSERT_EQ(morvactl({"keys", "keyboard", "set", "1", "Default"}).exitCode, 0);
    EXPECT_EQ(stored("keyboard", 1), (AssignmentCode{0x20, 0x00, 0x3A}));
}

TEST_F(MorvactlKeys, AMacroIsNamedFromTheDevicesMacroList) {
    const std::filesystem::path folder = profiles::folders::deviceDataFolder("mouse");
    ASSERT_TRUE(macros::appendMacroEntry(folder, "Reload", "2019_01_01_00_00_00_000").ok());
    const test::MorvactlRun run = morvactl({"keys", "mouse", "set", "3", "Macro \"reload\" x2"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(stored("mouse", 3), (AssignmentCode{0x71, 0x00, 0x02}));
    EXPECT_NE(lineOf("mouse", 3)
                  .find("Macro \"Reload\" \xC3\x97"
                        "2"),
              std::string::npos);
}

TEST_F(MorvactlKeys, MistakesAreRefusedAndStoreNothing) {
    struct Case {
        cli::Arguments arguments;
        int exitCode;
        std::string said;
    };
    const Case cases[] = {
        {{"keys", "keyboard", "set", "Nope", "Ctrl+C"}, 1, "has no key \"Nope\""},
        {{"keys", "keyboard", "set", "126", "Ctrl+C"}, 1, "has no key \"126\""},
        {{"keys", "keyboard", "set", "F1", "Ctrl+Nothing"}, 1, "no key is named \"Nothing\""},
        {{"keys", "keyboard", "set", "F1", "Macro \"gone\""}, 1, "no macro named"},
        {{"keys", "keyboard", "set", "F1"}, 2, "takes a key and an assignment"},
        {{"keys", "keyboard", "frobnicate"}, 2, "takes nothing or \"set\""},
        {{"keys", "MousePad"}, 1, "has no keys to assign"},
        {{"keys", "toaster"}, 1, "toaster"},
        {{"keys"}, 2, "needs a device"},
    };
    for (const Case& c : cases) {
        const test::MorvactlRun run = morvactl(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.said;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    }
    EXPECT_EQ(stored("keyboard", 1), (AssignmentCode{0x20, 0x00, 0x3A})) << "F1 unchanged";
}

} // namespace
} // namespace morva
