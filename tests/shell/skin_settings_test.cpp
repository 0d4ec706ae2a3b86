#include "app/skin_settings.h"
#include "env_override.h"
#include "tests/support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace morva {
namespace {

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class SkinSettingsTest : public ::testing::Test {
protected:
    test::TempDir dir_;
    std::filesystem::path file_ = dir_.path() / "QT4410-VIGOR MORVA" / "main.ini";
    app::SkinSettings settings_{file_};
};

TEST_F(SkinSettingsTest, NothingRecordedRestoresNothing) {
    EXPECT_FALSE(settings_.recordedBackground());
}

TEST_F(SkinSettingsTest, APresetIsWrittenAsFlagsOneAndRestored) {
    ASSERT_TRUE(settings_.recordPreset("skin/bg3.png"));
    EXPECT_EQ(fileText(file_), "[SKINIMAGE]\nFLAGS=1\nIMAGE=skin/bg3.png\n");
    EXPECT_EQ(app::SkinSettings(file_).recordedBackground(),
              (app::SkinChangedParam{0, 0, "skin/bg3.png"}));
}

TEST_F(SkinSettingsTest, ResetRecordsFlagsZeroAndTheDefaultBackground) {
    ASSERT_TRUE(settings_.recordPreset("skin/bg3.png"));
    ASSERT_TRUE(settings_.recordReset());
    EXPECT_EQ(fileText(file_), "[SKINIMAGE]\nFLAGS=0\nIMAGE=common/background.svg\n");
    EXPECT_EQ(settings_.recordedBackground(),
              (app::SkinChangedParam{0, 0, "common/background.svg"}));
}

TEST_F(SkinSettingsTest, AColourIsRecordedAndRestoredWithoutAnImage) {
    ASSERT_TRUE(settings_.recordColor(0xFF203040u));
    EXPECT_EQ(settings_.recordedBackground(), (app::SkinChangedParam{1, 0xFF203040u, ""}));
}

TEST_F(SkinSettingsTest, ACustomImageIsRestoredWhileTheFileExists) {
    const auto image = dir_.path() / "my picture.png";
    std::ofstream(image) << "png";
    ASSERT_TRUE(settings_.recordCustomImage(image));
    EXPECT_EQ(settings_.recordedBackground(), (app::SkinChangedParam{0, 0, image.string()}));
    std::filesystem::remove(image);
    EXPECT_EQ(settings_.recordedBackground(),
              (app::SkinChangedParam{0, 0, app::kDefaultBackground}));
}

TEST_F(SkinSettingsTest, OtherSectionsAndKeysAreKeptAndNamesIgnoreCase) {
    std::filesystem::create_directories(file_.parent_path());
    std::ofstream(file_)
        << "; user notes\n[window]\nx=10\n\n[skinimage]\nflags = 1\nimage = a.png\n"
           "EXTRA=keep\n\n[other]\ny=2\n";
    EXPECT_EQ(settings_.recordedBackground(), (app::SkinChangedParam{0, 0, "a.png"}));
    ASSERT_TRUE(settings_.recordColor(255));
    EXPECT_EQ(fileText(file_),
              "; user notes\n[window]\nx=10\n\n[skinimage]\nFLAGS=2\nimage = a.png\n"
              "EXTRA=keep\nCOLOR=255\n\n[other]\ny=2\n");
    EXPECT_EQ(settings_.recordedBackground(), (app::SkinChangedParam{1, 255, ""}));
}

TEST_F(SkinSettingsTest, UnusableRecordsRestoreNothing) {
    std::filesystem::create_directories(file_.parent_path());
    for (const char* content :
         {"[SKINIMAGE]\nFLAGS=7\nIMAGE=a.png\n", "[SKINIMAGE]\nFLAGS=x\nIMAGE=a.png\n",
          "[SKINIMAGE]\nFLAGS=1\nIMAGE=\n", "[SKINIMAGE]\nFLAGS=2\nCOLOR=-1\n",
          "[SKINIMAGE]\nFLAGS=2\nCOLOR=99999999999\n", "[OTHER]\nFLAGS=1\nIMAGE=a.png\n",
          "FLAGS=1\nIMAGE=a.png\n"}) {
        SCOPED_TRACE(content);
        std::ofstream(file_) << content;
        EXPECT_FALSE(settings_.recordedBackground());
    }
}

TEST_F(SkinSettingsTest, AnUnwritableFolderReportsFailure) {
    std::ofstream(dir_.path() / "blocker") << "x";
    app::SkinSettings blocked(dir_.path() / "blocker" / "main.ini");
    EXPECT_FALSE(blocked.recordPreset("a.png"));
    EXPECT_FALSE(blocked.recordedBackground());
}

TEST_F(SkinSettingsTest, TheUserFileFollowsXdgDataHome) {
    test::EnvOverride data("XDG_DATA_HOME", dir_.path().c_str());
    EXPECT_EQ(app::SkinSettings::forUser().file(), dir_.path() / "QT4410-VIGOR MORVA" / "main.ini");
}

} // namespace
} // namespace morva
