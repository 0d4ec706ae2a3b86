#include "app/gui_options.h"

#include "base/program_identity.h"

#include <string_view>

namespace morva::app {

namespace {

// The flag an option sets, or null for none of the GUI's options.
bool GuiOptions::*flagOf(std::string_view option) {
    if (option == "--demo") {
        return &GuiOptions::demo;
    }
    if (option == "--hidden") {
        return &GuiOptions::hidden;
    }
    if (option == "--version") {
        return &GuiOptions::version;
    }
    if (option == "--help" || option == "-h") {
        return &GuiOptions::help;
    }
    return nullptr;
}

} // namespace

GuiOptions parseGuiOptions(std::span<char* const> arguments) {
    GuiOptions options;
    for (const char* argument : arguments) {
        if (bool GuiOptions::*flag = flagOf(argument)) {
            options.*flag = true;
        }
    }
    return options;
}

std::vector<std::string> unknownGuiArguments(std::span<char* const> arguments) {
    std::vector<std::string> unknown;
    for (const char* argument : arguments) {
        if (flagOf(argument) == nullptr) {
            unknown.emplace_back(argument);
        }
    }
    return unknown;
}

std::string missingDisplayReason(std::span<char* const> arguments,
                                 const char* (*environment)(const char*)) {
    const auto isSet = [environment](const char* name) {
        const char* value = environment(name);
        return value != nullptr && *value != '\0';
    };
    if (isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY")) {
        return {};
    }
    for (const char* argument : arguments) {
        if (std::string_view(argument) == "-platform") {
            return {};
        }
    }
    return "morva: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are unset).\n"
           "Run it on a desktop, or on a virtual display: scripts/run.sh says how, or\n"
           "  Xvfb :99 & DISPLAY=:99 morva --demo\n";
}

std::string guiUsage() {
    return "usage: morva [--demo] [--hidden]\n"
           "  --demo: attach emulated devices instead of the system's HID devices\n"
           "  --hidden: start in the tray (minimised on a desktop without one)\n"
           "  --version: print the version\n"
           "  --help: print this text\n";
}

std::string guiVersionLine() {
    return "morva " + std::string(programVersion()) + "\n";
}

} // namespace morva::app
