#include "profiles/data_folders.h"
#include "tests/profiles/profile_test_support.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace morva {
namespace {

namespace fs = std::filesystem;
using test::ScopedEnv;

class DataFoldersTest : public ::testing::Test {
protected:
    void TearDown() override { profiles::folders::setProgramFolder({}); }

    test::TempDir dir;
};

TEST_F(DataFoldersTest, ProgramFolderIsTheExecutablesFolderUnlessSet) {
    EXPECT_EQ(fs::canonical(profiles::folders::programFolder()), fs::canonical(MORVA_RUNTIME_DIR));

    profiles::folders::setProgramFolder(dir.path());
    EXPECT_EQ(profiles::folders::programFolder(), dir.path());
    EXPECT_EQ(profiles::folders::defaultDataFolder(), dir.path() / "DefaultData");
    EXPECT_EQ(profiles::folders::defaultProfilePath("keyboard"),
              dir.path() / "DefaultData" / "keyboard.Json");

    profiles::folders::setProgramFolder({});
    EXPECT_EQ(fs::canonical(profiles::folders::programFolder()), fs::canonical(MORVA_RUNTIME_DIR));
}

TEST_F(DataFoldersTest, DeviceDataFolderIsMadeLevelByLevelUnderXdgDataHome) {
    const fs::path dataHome = dir.path() / "xdg" / "data";
    ScopedEnv env("XDG_DATA_HOME", dataHome.c_str());

    const fs::path folder = profiles::folders::deviceDataFolder("MousePad");

    EXPECT_EQ(folder, dataHome / "QT4410-VIGOR MORVA" / "MousePad");
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(profiles::folders::applicationFolder(), dataHome / "QT4410-VIGOR MORVA");
}

TEST_F(DataFoldersTest, TwoDevicesOfOneModelShareTheFolder) {
    ScopedEnv env("XDG_DATA_HOME", dir.path().c_str());
    EXPECT_EQ(profiles::folders::deviceDataFolder("keyboard"),
              profiles::folders::deviceDataFolder("keyboard"));
    EXPECT_NE(profiles::folders::deviceDataFolder("keyboard"),
              profiles::folders::deviceDataFolder("keyboard123"));
}

TEST_F(DataFoldersTest, RelativeOrMissingXdgDataHomeFallsBackToHome) {
    ScopedEnv home("HOME", dir.path().c_str());
    const fs::path expected = dir.path() / ".local" / "share" / "QT4410-VIGOR MORVA";
    {
        ScopedEnv env("XDG_DATA_HOME", "relative/data");
        EXPECT_EQ(profiles::folders::applicationFolder(), expected);
    }
    {
        ScopedEnv env("XDG_DATA_HOME", nullptr);
        EXPECT_EQ(profiles::folders::applicationFolder(), expected);
    }
    EXPECT_TRUE(fs::is_directory(expected));
    EXPECT_FALSE(fs::exists(fs::current_path() / "relative"));
}

TEST_F(DataFoldersTest, UnusableDeviceFolderNamesGiveNoFolder) {
    ScopedEnv env("XDG_DATA_HOME", dir.path().c_str());
    for (const char* name : {"", ".", "..", "a/b", "../escape"}) {
        EXPECT_TRUE(profiles::folders::deviceDataFolder(name).empty()) << name;
        EXPECT_TRUE(profiles::folders::defaultProfilePath(name).empty()) << name;
    }
    EXPECT_FALSE(fs::exists(dir.path() / "escape"));
}

TEST_F(DataFoldersTest, FolderThatCannotBeMadeIsReturnedWithoutError) {
    const fs::path blocker = dir.path() / "file";
    { std::ofstream(blocker) << "x"; }
    ScopedEnv env("XDG_DATA_HOME", blocker.c_str());

    const fs::path folder = profiles::folders::deviceDataFolder("HD");

    EXPECT_EQ(folder, blocker / "QT4410-VIGOR MORVA" / "HD");
    EXPECT_FALSE(fs::exists(folder));
}

TEST_F(DataFoldersTest, InsideDefaultDataFolderIsRecognisedWhateverTheSpelling) {
    profiles::folders::setProgramFolder(dir.path() / "prog");
    fs::create_directories(dir.path() / "prog" / "DefaultData");

    EXPECT_TRUE(profiles::folders::isInsideDefaultDataFolder(dir.path() / "prog" / "DefaultData"));
    EXPECT_TRUE(
        profiles::folders::isInsideDefaultDataFolder(dir.path() / "prog/DefaultData/mouse.Json"));
    EXPECT_TRUE(
        profiles::folders::isInsideDefaultDataFolder(dir.path() / "prog/x/../DefaultData/a.Json"));
    EXPECT_FALSE(
        profiles::folders::isInsideDefaultDataFolder(dir.path() / "prog" / "DefaultDataX"));
    EXPECT_FALSE(profiles::folders::isInsideDefaultDataFolder(dir.path() / "prog" / "mouse.Json"));
    EXPECT_FALSE(profiles::folders::isInsideDefaultDataFolder({}));
}

} // namespace
} // namespace morva
