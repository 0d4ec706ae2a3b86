#pragma once

#include <optional>
#include <span>
#include <string>

// The GUI's own command-line options. Anything else (Qt's options such as -platform) is left to
// the GUI library.
namespace morva::app {

struct GuiOptions {
    bool demo = false;    // --demo: emulated devices instead of the system's
    bool hidden = false;  // --hidden: start in the tray (minimised where there is none)
    bool version = false; // --version: print the version and end
    bool help = false;    // --help, -h: print the usage and end
};

GuiOptions parseGuiOptions(std::span<char* const> arguments);

// The text --help prints.
std::string guiUsage();
// The line --version prints.
std::string guiVersionLine();

} // namespace morva::app
