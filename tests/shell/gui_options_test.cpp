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

TEST(GuiOptions, WhatIsNoneOfTheOptionsIsNamed) {
    struct Case {
        std::vector<std::string> words, unknown;
    };
    const Case cases[] = {
        {{}, {}},
        {{"--demo", "--hidden", "-h", "--help", "--version"}, {}},
        {{"--bogus-option"}, {"--bogus-option"}},
        {{"--dmeo", "--demo", "stray"}, {"--dmeo", "stray"}},
        {{"--Hidden", "-demo"}, {"--Hidden", "-demo"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words = c.words;
        std::vector<char*> arguments;
        for (std::string& word : words) {
            arguments.push_back(word.data());
        }
        EXPECT_EQ(unknownGuiArguments(arguments), c.unknown) << testing::PrintToString(c.words);
    }
}

TEST(GuiOptions, TheUsageNamesEveryOption) {
    for (const char* option : {"--demo", "--hidden", "--version", "--help"}) {
        EXPECT_NE(guiUsage().find(option), std::string::npos) << option;
    }
}

const char* fakeEnvironment(const char* name);

struct DisplayCase {
    const char* name;
    std::vector<std::string> words;
    std::vector<std::pair<std::string, std::string>> variables;
    bool refused;
};
const DisplayCase* currentDisplayCase = nullptr;

const char* fakeEnvironment(const char* name) {
    for (const auto& [variable, value] : currentDisplayCase->variables) {
        if (variable == name) {
            return value.c_str();
        }
    }
    return nullptr;
}

TEST(GuiOptions, WithoutAnyDisplayTheProgramSaysSoInsteadOfAborting) {
    const DisplayCase cases[] = {
        {"nothing set", {}, {}, true},
        {"empty DISPLAY", {"--demo"}, {{"DISPLAY", ""}}, true},
        {"X display", {}, {{"DISPLAY", ":0"}}, false},
        {"Wayland display", {}, {{"WAYLAND_DISPLAY", "wayland-0"}}, false},
        {"platform variable", {}, {{"QT_QPA_PLATFORM", "offscreen"}}, false},
        {"platform option", {"-platform", "offscreen"}, {}, false},
    };
    for (const DisplayCase& c : cases) {
        currentDisplayCase = &c;
        std::vector<std::string> words = c.words;
        std::vector<char*> arguments;
        for (std::string& word : words) {
            arguments.push_back(word.data());
        }
        const std::string reason = missingDisplayReason(arguments, &fakeEnvironment);
        EXPECT_EQ(!reason.empty(), c.refused) << c.name;
        if (c.refused) {
            EXPECT_NE(reason.find("DISPLAY"), std::string::npos) << c.name;
        }
    }
    currentDisplayCase = nullptr;
}

} // namespace
} // namespace morva::app
