#include "env_override.h"
#include "platform/user_folders.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
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
        EXPECT_EQ(platform::userConfigFolder(), c.expected) << (c.xdgValue ? c.xdgValue : "unset");
    }
    const std::vector<FolderCase> dataCases = {
        {"/tmp/data", "/tmp/data/QT4410-VIGOR MORVA"},
        {"data", "/home/someone/.local/share/QT4410-VIGOR MORVA"},
        {nullptr, "/home/someone/.local/share/QT4410-VIGOR MORVA"},
    };
    for (const FolderCase& c : dataCases) {
        test::EnvOverride data("XDG_DATA_HOME", c.xdgValue);
        EXPECT_EQ(platform::userDataFolder(), c.expected) << (c.xdgValue ? c.xdgValue : "unset");
    }
}

namespace fs = std::filesystem;

// Where a runtime-folder case plays: "xdg" for XDG_RUNTIME_DIR and the parent of the fallback
// folder "morva-<uid>", both in a fresh folder.
struct RuntimePlace {
    fs::path root;
    fs::path xdg = root / "xdg";
    fs::path fallbackParent = root / "tmp";
    fs::path fallback = fallbackParent / ("morva-" + std::to_string(::getuid()));
};

void makeFolder(const fs::path& folder, mode_t mode) {
    fs::create_directories(folder);
    ::chmod(folder.c_str(), mode);
}

struct RuntimeCase {
    const char* what;
    std::function<void(const RuntimePlace&)> prepare;
    bool setVariable;   // XDG_RUNTIME_DIR names "xdg"
    const char* chosen; // "xdg", "fallback" or nullptr for none
};

TEST(RuntimeFolderTest, OnlyARealFolderOfTheUserThatNobodyElseMayEnterIsUsed) {
    using P = const RuntimePlace&;
    const std::vector<RuntimeCase> cases = {
        {"private runtime folder", [](P p) { makeFolder(p.xdg, 0700); }, true, "xdg"},
        {"variable unset", [](P p) { makeFolder(p.xdg, 0700); }, false, "fallback"},
        {"runtime folder open to the group", [](P p) { makeFolder(p.xdg, 0750); }, true,
         "fallback"},
        {"runtime folder open to all", [](P p) { makeFolder(p.xdg, 0777); }, true, "fallback"},
        {"runtime folder missing", [](P) {}, true, "fallback"},
        {"runtime folder is a symbolic link",
         [](P p) {
             makeFolder(p.root / "real", 0700);
             fs::create_directory_symlink(p.root / "real", p.xdg);
         },
         true, "fallback"},
        {"fallback already private", [](P p) { makeFolder(p.fallback, 0700); }, false, "fallback"},
        {"fallback open to others", [](P p) { makeFolder(p.fallback, 0755); }, false, nullptr},
        {"fallback is a symbolic link",
         [](P p) {
             makeFolder(p.root / "elsewhere", 0700);
             fs::create_directory_symlink(p.root / "elsewhere", p.fallback);
         },
         false, nullptr},
        {"fallback is a file", [](P p) { std::ofstream(p.fallback) << "x"; }, false, nullptr},
    };
    for (const RuntimeCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir root;
        const RuntimePlace place{root.path()};
        fs::create_directory(place.fallbackParent);
        c.prepare(place);
        const auto chosen = platform::userRuntimeFolder(c.setVariable ? place.xdg.c_str() : nullptr,
                                                        place.fallbackParent, ::getuid());
        if (c.chosen == nullptr) {
            EXPECT_FALSE(chosen) << *chosen;
            continue;
        }
        ASSERT_TRUE(chosen);
        EXPECT_EQ(*chosen, std::string(c.chosen) == "xdg" ? place.xdg : place.fallback);
    }
}

TEST(RuntimeFolderTest, TheFallbackIsMadeWithMode0700WhateverTheUmask) {
    test::TempDir root;
    const mode_t oldMask = ::umask(0777);
    const auto chosen = platform::userRuntimeFolder(nullptr, root.path(), ::getuid());
    ::umask(oldMask);
    ASSERT_TRUE(chosen);
    struct stat info {};
    ASSERT_EQ(::lstat(chosen->c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 07777, 0700u);
}

// A folder of another user is never taken, however closed it is.
TEST(RuntimeFolderTest, AFolderOfAnotherUserIsRefused) {
    if (::getuid() != 0) {
        GTEST_SKIP() << "giving a folder to another user needs root";
    }
    constexpr uid_t kOtherUser = 65534;
    test::TempDir root;
    const RuntimePlace place{root.path()};
    makeFolder(place.xdg, 0700);
    makeFolder(place.fallback, 0700);
    ASSERT_EQ(::chown(place.xdg.c_str(), kOtherUser, kOtherUser), 0);
    ASSERT_EQ(::chown(place.fallback.c_str(), kOtherUser, kOtherUser), 0);
    EXPECT_FALSE(platform::userRuntimeFolder(place.xdg.c_str(), place.fallbackParent, ::getuid()));
}

} // namespace
} // namespace morva
