#include "cli/command_groups.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace morva::test {
namespace {

struct WatchRun {
    int exitCode;
    std::vector<std::string> lines;
    std::string err;
};

WatchRun watch(const cli::Arguments& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = cli::runMorvactl(arguments, out, err);
    WatchRun run{code, {}, err.str()};
    std::istringstream text(out.str());
    for (std::string line; std::getline(text, line);) {
        run.lines.push_back(line);
    }
    return run;
}

std::set<std::string> withoutNode(const std::vector<std::string>& lines, size_t from, size_t to) {
    std::set<std::string> result;
    for (size_t i = from; i < to && i < lines.size(); ++i) {
        result.insert(lines[i].substr(0, lines[i].rfind(", ")));
    }
    return result;
}

// The demo plugs one device per device-tab row (nine interfaces), then pulls the first, the
// mouse, out and plugs it in again. --events ends the watch after that many lines; --for is only
// the safety net here.
TEST(WatchCommand, DemoShowsTheDevicesComeAndGo) {
    const WatchRun run = watch({"--demo", "watch", "--for", "30", "--events", "13"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 14u) << testing::PrintToString(run.lines);
    EXPECT_NE(run.lines[0].find("watching the HID devices"), std::string::npos);

    const std::set<std::string> firstPass = {
        "attached keyboard primary, slot 0, 0x0C45:0x8501",
        "attached keyboard companion, slot 1, 0x0C45:0x8501",
        "attached mouse primary, slot 2, 0x0000:0x0000",
        "attached mouse companion, slot 3, 0x0000:0x0000",
        "attached mouse pad primary, slot 4, 0x0000:0x0000",
        "attached mouse pad companion, slot 5, 0x0000:0x0000",
        "attached headset primary, slot 6, 0x0000:0x0000",
        "attached keyboard primary, slot 7, 0x0000:0x0000",
        "attached keyboard companion, slot 8, 0x0000:0x0000",
    };
    EXPECT_EQ(withoutNode(run.lines, 1, 10), firstPass);
    EXPECT_EQ(withoutNode(run.lines, 10, 12),
              (std::set<std::string>{"detached mouse primary, slot 2, 0x0000:0x0000",
                                     "detached mouse companion, slot 3, 0x0000:0x0000"}));
    EXPECT_EQ(withoutNode(run.lines, 12, 14),
              (std::set<std::string>{"attached mouse primary, slot 2, 0x0000:0x0000",
                                     "attached mouse companion, slot 3, 0x0000:0x0000"}));
    // A detached interface is named as it was when it came; the mouse comes back as a new node.
    EXPECT_NE(run.lines[10].substr(run.lines[10].rfind(", ")),
              run.lines[12].substr(run.lines[12].rfind(", ")));
}

TEST(WatchCommand, ForEndsTheWatch) {
    const WatchRun run = watch({"--demo", "watch", "--for", "0.5"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_FALSE(run.lines.empty());
    EXPECT_NE(run.lines[0].find("watching the HID devices"), std::string::npos);
}

TEST(WatchCommand, BadOptionsAreUsageErrors) {
    for (const cli::Arguments& arguments :
         {cli::Arguments{"watch", "--for"}, cli::Arguments{"watch", "--for", "soon"},
          cli::Arguments{"watch", "--for", "-1"}, cli::Arguments{"watch", "--events", "0"},
          cli::Arguments{"watch", "--forever"}}) {
        const WatchRun run = watch(arguments);
        EXPECT_EQ(run.exitCode, cli::kExitUsage) << testing::PrintToString(arguments);
        EXPECT_NE(run.err.find("morvactl: watch:"), std::string::npos) << run.err;
    }
}

} // namespace
} // namespace morva::test
