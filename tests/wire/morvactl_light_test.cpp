#include "tests/profiles/profile_test_support.h"
#include "tests/support/morvactl_run.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace morva {
namespace {

using test::morvactl;

// The light commands on the profiles of a throw-away data folder.
class MorvactlLight : public ::testing::Test {
protected:
    test::TempDir dataHome;
    test::ScopedEnv xdg{"XDG_DATA_HOME", dataHome.path().c_str()};
};

// The words of each output line.
std::vector<std::vector<std::string>> linesOf(const std::string& text) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        lines.emplace_back(std::istream_iterator<std::string>(words),
                           std::istream_iterator<std::string>());
    }
    return lines;
}

TEST_F(MorvactlLight, ShowsAndSetsTheSelectedProfilesLightSettings) {
    test::MorvactlRun run = morvactl({"light", "show", "mouse"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    Json::Value light = run.json();
    EXPECT_EQ(light["profile"].asString(), "profile1");
    EXPECT_EQ(light["effect"].asInt(), 1) << "the default profile's spectrum";
    EXPECT_EQ(light["colour"].asString(), "00A0FF");

    run = morvactl({"light", "set", "mouse", "effect=4", "colour=ff8000", "speed=3"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    run = morvactl({"light", "show", "MOUSE"});
    light = run.json();
    EXPECT_EQ(light["effect"].asInt(), 4);
    EXPECT_EQ(light["speed"].asInt(), 3);
    EXPECT_EQ(light["colour"].asString(), "FF8000");
    EXPECT_EQ(light["brightness"].asInt(), 4) << "what was not named stays";
}

TEST_F(MorvactlLight, RefusesSettingsOutOfRangeAndChangesNothing) {
    const char* bad[] = {"speed=5",       "brightness=-1", "effect=256", "colour=12345",
                         "colour=GG0000", "direction=2",   "wave=1",     "effect"};
    for (const char* setting : bad) {
        const test::MorvactlRun run = morvactl({"light", "set", "mouse", "effect=2", setting});
        EXPECT_EQ(run.exitCode, 2) << setting;
        EXPECT_NE(run.err.find("light set"), std::string::npos) << run.err;
    }
    EXPECT_EQ(morvactl({"light", "show", "mouse"}).json()["effect"].asInt(), 1);
    EXPECT_EQ(morvactl({"light", "show", "printer"}).exitCode, 2);
}

TEST_F(MorvactlLight, FramesFollowTheStoredEffectOnVirtualTime) {
    // The mouse's spectrum at speed 2 steps every 18 passes of 2 ms.
    test::MorvactlRun run = morvactl({"light", "frames", "mouse", "--ms", "120"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0][0], "36");
    EXPECT_EQ(lines[1][0], "72");
    // The time, four numbers per LED, then the live frame: three bytes per LED.
    ASSERT_EQ(lines[0].size(), 1 + 6 * 4 + 1 + 6 * 3);
    EXPECT_EQ(lines[0][25], "|");
    EXPECT_EQ(lines[0][1], "255");
    EXPECT_EQ(lines[0][26], "FE") << "255 at intensity 255 is sent as 254";

    // The headset gets no live frame.
    run = morvactl({"light", "frames", "HD", "--ms", "80"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    lines = linesOf(run.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].size(), 1u + 13 * 4);

    EXPECT_EQ(morvactl({"light", "frames", "mouse", "--ms", "soon"}).exitCode, 2);
}

} // namespace
} // namespace morva
