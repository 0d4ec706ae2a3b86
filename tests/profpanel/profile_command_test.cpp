#include "base/json_file.h"
#include "cli/command_groups.h"
#include "profiles/data_folders.h"
#include "tests/support/morvactl_run.h"
#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace morva::test {
namespace {

struct CommandStep {
    std::vector<std::string> arguments; // "$T" stands for the temporary folder
    int exitCode;
    std::string output; // part of stdout (success) or stderr (failure)
    std::vector<std::string> namesAfter;
    int selectedAfter;
};

// morvactl on a user data folder of its own.
class ProfileCommandTest : public ::testing::Test {
protected:
    ProfileCommandTest() {
        if (const char* old = std::getenv("XDG_DATA_HOME")) {
            oldDataHome_ = old;
        }
        ::setenv("XDG_DATA_HOME", temp.path().c_str(), 1);
    }
    ~ProfileCommandTest() override {
        if (oldDataHome_) {
            ::setenv("XDG_DATA_HOME", oldDataHome_->c_str(), 1);
        } else {
            ::unsetenv("XDG_DATA_HOME");
        }
    }

    static test::MorvactlRun morvactl(const cli::Arguments& arguments) {
        return test::morvactl(arguments);
    }

    std::filesystem::path folder(const std::string& device) const {
        return temp.path() / "QT4410-VIGOR MORVA" / device;
    }
    Json::Value listFile(const std::string& device) const {
        return readjsonFile(folder(device) / "ProfileList.ini");
    }
    std::vector<std::string> names(const std::string& device) const {
        std::vector<std::string> result;
        const Json::Value list = listFile(device);
        for (const Json::Value& element : list["profilelist"]) {
            result.push_back(element["profilename"].asString());
        }
        return result;
    }
    Json::Value selectedProfile(const std::string& device) const {
        const Json::Value list = listFile(device);
        const std::string identifier =
            list["profilelist"][list["profileselect"].asInt()]["profileUUID"].asString();
        return readjsonFile(folder(device) / (identifier + ".Json"));
    }

    // Runs "morvactl profile <step arguments>" for each step and checks the keyboard's list after
    // each.
    void runSteps(const std::vector<CommandStep>& steps);

    TempDir temp;

private:
    std::optional<std::string> oldDataHome_;
};

void ProfileCommandTest::runSteps(const std::vector<CommandStep>& steps) {
    for (const CommandStep& step : steps) {
        cli::Arguments arguments{"profile"};
        for (std::string argument : step.arguments) {
            if (argument.starts_with("$T")) {
                argument = temp.path().string() + argument.substr(2);
            }
            arguments.push_back(argument);
        }
        SCOPED_TRACE(testing::PrintToString(arguments));
        const MorvactlRun run = morvactl(arguments);
        EXPECT_EQ(run.exitCode, step.exitCode) << run.err;
        EXPECT_NE((step.exitCode == 0 ? run.out : run.err).find(step.output), std::string::npos)
            << "out: " << run.out << "err: " << run.err;
        EXPECT_EQ(names("keyboard"), step.namesAfter);
        EXPECT_EQ(listFile("keyboard")["profileselect"], step.selectedAfter);
    }
}

TEST_F(ProfileCommandTest, CommandsChangeTheFilesTheProfilePanelReads) {
    std::ofstream(temp.path() / "notjson.json") << "{ broken";
    std::ofstream(temp.path() / "noid.json") << R"({"profilename": "Loose"})";
    const std::vector<CommandStep> steps = {
        {{"list", "keyboard"}, 0, "* 1: profile1", {"profile1"}, 0},
        {{"add", "keyboard"}, 0, "added 2: profile2", {"profile1", "profile2"}, 1},
        {{"select", "keyboard", "--number", "1"},
         0,
         "selected 1: profile1",
         {"profile1", "profile2"},
         0},
        {{"select", "keyboard", "PROFILE2"},
         0,
         "selected 2: profile2",
         {"profile1", "profile2"},
         1},
        {{"select", "keyboard", "--number", "3"},
         1,
         "there is no profile number \"3\"",
         {"profile1", "profile2"},
         1},
        {{"copy", "keyboard"},
         0,
         "copied 2: profile2 to 3: profile2 copy",
         {"profile1", "profile2", "profile2 copy"},
         1},
        {{"rename", "keyboard", "Game"},
         0,
         "renamed 2: profile2 to Game",
         {"profile1", "Game", "profile2 copy"},
         1},
        {{"rename", "keyboard", "PROFILE1"},
         1,
         "another profile already has that name",
         {"profile1", "Game", "profile2 copy"},
         1},
        {{"export", "keyboard", "$T/game.json"},
         0,
         "exported 2: Game to",
         {"profile1", "Game", "profile2 copy"},
         1},
        {{"import", "keyboard", "$T/game.json"},
         0,
         "as 4: Game(1)",
         {"profile1", "Game", "profile2 copy", "Game(1)"},
         1},
        {{"import", "keyboard", "$T/notjson.json"},
         1,
         "not a profile file (not JSON)",
         {"profile1", "Game", "profile2 copy", "Game(1)"},
         1},
        {{"import", "keyboard", "$T/noid.json"},
         1,
         "it has no \"profileUUID\"",
         {"profile1", "Game", "profile2 copy", "Game(1)"},
         1},
        {{"import", "keyboard", "$T/missing.json"},
         1,
         "the file cannot be read",
         {"profile1", "Game", "profile2 copy", "Game(1)"},
         1},
        {{"delete", "keyboard"},
         0,
         "deleted 2: Game; selected 1: profile1",
         {"profile1", "profile2 copy", "Game(1)"},
         0},
        {{"reset", "keyboard"},
         0,
         "reset 1: profile1 to the default profile",
         {"profile1", "profile2 copy", "Game(1)"},
         0},
        {{"list", "KEYBOARD"}, 0, "* 1: profile1", {"profile1", "profile2 copy", "Game(1)"}, 0},
    };
    runSteps(steps);
    // The export is the renamed profile; the reset profile is the shipped default again.
    EXPECT_EQ(readjsonFile(temp.path() / "game.json")["profilename"], "Game");
    const Json::Value shipped = readjsonFile(profiles::folders::defaultProfilePath("keyboard"));
    ASSERT_TRUE(shipped.isObject());
    Json::Value reset = selectedProfile("keyboard");
    EXPECT_EQ(reset["profilename"], "profile1");
    reset.removeMember("profilename");
    reset.removeMember("profileUUID");
    Json::Value expected = shipped;
    expected.removeMember("profilename");
    expected.removeMember("profileUUID");
    EXPECT_EQ(reset, expected);
}

// Whatever follows the device is taken as it stands: words that look like options or commands
// are names, a name may be a number, and only "--number" picks by number.
TEST_F(ProfileCommandTest, NamesAreTakenAsTheyStand) {
    const std::vector<CommandStep> steps = {
        {{"add", "keyboard"}, 0, "added 2: profile2", {"profile1", "profile2"}, 1},
        {{"add", "keyboard"}, 0, "added 3: profile3", {"profile1", "profile2", "profile3"}, 2},
        {{"rename", "keyboard", "help"},
         0,
         "renamed 3: profile3 to help",
         {"profile1", "profile2", "help"},
         2},
        {{"select", "keyboard", "--number", "1"},
         0,
         "selected 1: profile1",
         {"profile1", "profile2", "help"},
         0},
        {{"rename", "keyboard", "--demo"},
         0,
         "renamed 1: profile1 to --demo",
         {"--demo", "profile2", "help"},
         0},
        {{"select", "keyboard", "--number", "2"},
         0,
         "selected 2: profile2",
         {"--demo", "profile2", "help"},
         1},
        {{"rename", "keyboard", "3"}, 0, "renamed 2: profile2 to 3", {"--demo", "3", "help"}, 1},
        {{"select", "keyboard", "--number", "3"},
         0,
         "selected 3: help",
         {"--demo", "3", "help"},
         2},
        // By name: the profile called "3", not the third one.
        {{"select", "keyboard", "3"}, 0, "selected 2: 3", {"--demo", "3", "help"}, 1},
        {{"select", "keyboard", "--demo"}, 0, "selected 1: --demo", {"--demo", "3", "help"}, 0},
        {{"rename", "keyboard", "--number"},
         0,
         "renamed 1: --demo to --number",
         {"--number", "3", "help"},
         0},
        {{"select", "keyboard", "--number", "3"},
         0,
         "selected 3: help",
         {"--number", "3", "help"},
         2},
        {{"select", "keyboard", "--", "--number"},
         0,
         "selected 1: --number",
         {"--number", "3", "help"},
         0},
        {{"rename", "keyboard", "--", "--"},
         0,
         "renamed 1: --number to --",
         {"--", "3", "help"},
         0},
        {{"select", "keyboard", "1"}, 1, "no profile is named \"1\"", {"--", "3", "help"}, 0},
        {{"select", "keyboard", "--number", "4"},
         1,
         "there is no profile number \"4\"",
         {"--", "3", "help"},
         0},
    };
    runSteps(steps);
}

TEST_F(ProfileCommandTest, EveryDeviceModelHasItsOwnFolder) {
    for (const char* device : {"keyboard", "mouse", "MousePad", "HD", "keyboard123"}) {
        const MorvactlRun run = morvactl({"profile", "add", device});
        EXPECT_EQ(run.exitCode, 0) << device << ": " << run.err;
        EXPECT_EQ(names(device), (std::vector<std::string>{"profile1", "profile2"})) << device;
        // The first profile is made from the model's shipped default profile.
        EXPECT_TRUE(selectedProfile(device).isMember("Device")) << device;
    }
}

TEST_F(ProfileCommandTest, MistakesAreUsageErrors) {
    const std::vector<cli::Arguments> mistakes = {
        {"profile"},
        {"profile", "list"},
        {"profile", "list", "toaster"},
        {"profile", "frobnicate", "keyboard"},
        {"profile", "rename", "keyboard"},
        {"profile", "add", "keyboard", "extra"},
        {"profile", "list", "../keyboard"},
        {"profile", "select", "keyboard"},
        {"profile", "select", "keyboard", "--number"},
        {"profile", "select", "keyboard", "--number", "two"},
        {"profile", "select", "keyboard", "--number", "1", "2"},
        {"profile", "select", "keyboard", "a", "b"},
        {"profile", "rename", "keyboard", "--"},
        {"profile", "rename", "keyboard", "a", "b"},
        {"profile", "list", "keyboard", "--demo"},
    };
    for (const cli::Arguments& arguments : mistakes) {
        const MorvactlRun run = morvactl(arguments);
        EXPECT_EQ(run.exitCode, cli::kExitUsage) << testing::PrintToString(arguments);
        EXPECT_NE(run.err.find("morvactl:"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "QT4410-VIGOR MORVA" / "toaster"));
}

TEST_F(ProfileCommandTest, FailuresTheListReportsEndNonZero) {
    for (int i = 0; i < 49; ++i) {
        ASSERT_EQ(morvactl({"profile", "add", "mouse"}).exitCode, 0);
    }
    const MorvactlRun full = morvactl({"profile", "add", "mouse"});
    EXPECT_EQ(full.exitCode, cli::kExitFailure);
    EXPECT_NE(full.err.find("the most profiles it can hold"), std::string::npos) << full.err;
    EXPECT_EQ(names("mouse").size(), 50u);

    ASSERT_EQ(morvactl({"profile", "list", "HD"}).exitCode, 0);
    const MorvactlRun last = morvactl({"profile", "delete", "HD"});
    EXPECT_EQ(last.exitCode, cli::kExitFailure);
    EXPECT_NE(last.err.find("the last profile cannot be deleted"), std::string::npos) << last.err;
}

} // namespace
} // namespace morva::test
