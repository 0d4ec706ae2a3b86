#include "app/skin_choice.h"
#include "tests/support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace morva {
namespace {

class SkinChooserTest : public ::testing::Test {
protected:
    test::TempDir dir_;
    app::SkinSettings settings_{dir_.path() / "main.ini"};
    std::vector<app::SkinChangedParam> broadcast_;
    app::SkinChooser chooser_{settings_, [this](const app::SkinChangedParam& param) {
                                  broadcast_.push_back(param);
                              }};
};

TEST(RootBackgroundTest, AColourClearsTheImageAndAnImageClearsTheColour) {
    EXPECT_EQ(app::rootBackgroundFor({1, 0xFF112233u, "ignored.png"}),
              (app::RootBackground{0xFF112233u, ""}));
    EXPECT_EQ(app::rootBackgroundFor({0, 0xFF112233u, "a.png"}), (app::RootBackground{0, "a.png"}));
}

TEST_F(SkinChooserTest, EveryChoiceIsBroadcastAndTheLastOneIsRestoredAtTheNextStart) {
    const auto custom = dir_.path() / "mine.png";
    std::ofstream(custom) << "png";
    struct Step {
        std::function<bool()> choose;
        app::SkinChangedParam expected;
    };
    const std::vector<Step> steps = {
        {[&] { return chooser_.choosePreset("skin/bg2.png"); }, {0, 0, "skin/bg2.png"}},
        {[&] { return chooser_.chooseColor(0xFF0000FFu); }, {1, 0xFF0000FFu, ""}},
        {[&] { return chooser_.chooseCustomImage(custom); }, {0, 0, custom.string()}},
        {[&] { return chooser_.reset(); }, {0, 0, "common/background.svg"}},
    };
    for (const Step& step : steps) {
        ASSERT_TRUE(step.choose());
        ASSERT_FALSE(broadcast_.empty());
        EXPECT_EQ(broadcast_.back(), step.expected);

        std::vector<app::SkinChangedParam> atNextStart;
        app::SkinSettings reread(settings_.file());
        app::SkinChooser next(reread,
                              [&](const app::SkinChangedParam& p) { atNextStart.push_back(p); });
        ASSERT_TRUE(next.restoreRecorded());
        EXPECT_EQ(atNextStart, (std::vector<app::SkinChangedParam>{step.expected}));
    }
}

TEST_F(SkinChooserTest, WithNothingRecordedNothingIsRestored) {
    EXPECT_FALSE(chooser_.restoreRecorded());
    EXPECT_TRUE(broadcast_.empty());
}

TEST(SkinChooserUnwritableTest, TheBackgroundStillChangesWhenMainIniCannotBeWritten) {
    test::TempDir dir;
    std::ofstream(dir.path() / "blocker") << "x";
    app::SkinSettings settings(dir.path() / "blocker" / "main.ini");
    std::vector<app::SkinChangedParam> broadcast;
    app::SkinChooser chooser(settings,
                             [&](const app::SkinChangedParam& p) { broadcast.push_back(p); });
    EXPECT_FALSE(chooser.choosePreset("skin/bg1.png"));
    EXPECT_EQ(broadcast, (std::vector<app::SkinChangedParam>{{0, 0, "skin/bg1.png"}}));
}

} // namespace
} // namespace morva
