#include "app/user_folders.h"
#include "env_override.h"

#include <gtest/gtest.h>
#include <vector>

namespace morva {
namespace {

struct FolderCase {
    const char* xdgValue; // nullptr: unset
    const char* expected;
};

TEST(UserFoldersTest, XdgVariablesWhenAbsoluteElseTheHomeDefaults) {
    test::EnvOverride home("HOME", "/home/someone");
    const std::vector<FolderCase> configCases = {
        {"/tmp/cfg", "/tmp/cfg/QT4410-VIGOR MORVA"},
        {"relative/cfg", "/home/someone/.config/QT4410-VIGOR MORVA"},
        {"", "/home/someone/.config/QT4410-VIGOR MORVA"},
        {nullptr, "/home/someone/.config/QT4410-VIGOR MORVA"},
    };
    for (const FolderCase& c : configCases) {
        test::EnvOverride config("XDG_CONFIG_HOME", c.xdgValue);
        EXPECT_EQ(userConfigFolder(), c.expected) << (c.xdgValue ? c.xdgValue : "unset");
    }
    const std::vector<FolderCase> dataCases = {
        {"/tmp/data", "/tmp/data/QT4410-VIGOR MORVA"},
        {"data", "/home/someone/.local/share/QT4410-VIGOR MORVA"},
        {nullptr, "/home/someone/.local/share/QT4410-VIGOR MORVA"},
    };
    for (const FolderCase& c : dataCases) {
        test::EnvOverride data("XDG_DATA_HOME", c.xdgValue);
        EXPECT_EQ(userDataFolder(), c.expected) << (c.xdgValue ? c.xdgValue : "unset");
    }
}

} // namespace
} // namespace morva
