#include "app/gui_options.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace morva::app {
namespace {

GuiOptions parse(std::vector<std::string> words) {
    std::vector<char*> arguments;
    for (std::string& word : words) {
        arguments.push_back(word.data());
    }
    return parseGuiOptions(arguments);
}

TEST(GuiOptions, EachOptionSetsItsOwnFlagAndTheGuiLibrarysAreLeftAlone) {
    struct Case {
        std::vector<std::string> words;
        bool demo, hidden, version, help;
    };
    const Case cases[] = {
        {{}, false, false, false, false},
        {{"--demo"}, true, false, false, false},
        {{"--hidden"}, false, true, false, false},
        {{"--version"}, false, false, true, false},
        {{"-h"}, false, false, false, true},
        {{"--help"}, false, false, false, true},
        {{"-platform", "offscreen", "--hidden", "--demo"}, true, true, false, false},
        {{"--Hidden", "hidden", "--tray"}, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.words));
        const GuiOptions options = parse(c.words);
        EXPECT_EQ(options.demo, c.demo);
        EXPECT_EQ(options.hidden, c.hidden);
        EXPECT_EQ(options.version, c.version);
        EXPECT_EQ(options.help, c.help);
    }
}

TEST(GuiOptions, TheUsageNamesEveryOption) {
    for (const char* option : {"--demo", "--hidden", "--version", "--help"}) {
        EXPECT_NE(guiUsage().find(option), std::string::npos) << option;
    }
}

} // namespace
} // namespace morva::app
