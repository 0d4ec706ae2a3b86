#include "base/json_file.h"
#include "env_override.h"
#include "platform/settings_store.h"
#include "tests/support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace morva {
namespace {

TEST(SettingsStoreTest, ValuesSurviveANewStoreAndKeepEachOther) {
    test::TempDir dir;
    const auto file = dir.path() / "folder that does not exist yet" / "settings.json";
    {
        platform::SettingsStore store(file);
        EXPECT_FALSE(store.readInt("LANGUAGE"));
        ASSERT_TRUE(store.writeInt("LANGUAGE", 1033));
        ASSERT_TRUE(store.writeString("other", "text"));
        ASSERT_TRUE(store.writeInt("LANGUAGE", -5));
    }
    const platform::SettingsStore reopened(file);
    EXPECT_EQ(reopened.readInt("LANGUAGE"), -5);
    EXPECT_EQ(reopened.readString("other"), "text");
    EXPECT_FALSE(reopened.readInt("other")) << "a value of another type reads as missing";
    EXPECT_FALSE(reopened.readString("LANGUAGE"));
    EXPECT_FALSE(reopened.readInt("missing"));
}

TEST(SettingsStoreTest, ADamagedFileReadsAsEmptyAndIsReplacedOnWrite) {
    test::TempDir dir;
    const auto file = dir.path() / "settings.json";
    for (const char* content : {"{ not json", "[1, 2, 3]", "\"text\""}) {
        SCOPED_TRACE(content);
        std::ofstream(file) << content;
        platform::SettingsStore store(file);
        EXPECT_FALSE(store.readInt("LANGUAGE"));
        ASSERT_TRUE(store.writeInt("LANGUAGE", 7));
        EXPECT_EQ(store.readInt("LANGUAGE"), 7);
    }
}

TEST(SettingsStoreTest, AnUnwritableFolderReportsFailure) {
    test::TempDir dir;
    const auto blocker = dir.path() / "a file";
    std::ofstream(blocker) << "x";
    platform::SettingsStore store(blocker / "settings.json");
    EXPECT_FALSE(store.writeInt("LANGUAGE", 1));
}

TEST(SettingsStoreTest, TheUserStoreIsInTheConfigFolder) {
    test::TempDir dir;
    test::EnvOverride config("XDG_CONFIG_HOME", dir.path().c_str());
    EXPECT_EQ(platform::SettingsStore::forUser().file(),
              dir.path() / "QT4410-VIGOR MORVA" / "settings.json");
}

} // namespace
} // namespace morva
