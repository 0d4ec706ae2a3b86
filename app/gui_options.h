#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

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
// The arguments that are none of the GUI's options. Asked once the GUI library has taken its own
// out of the command line, so that a misspelt option is said instead of ignored.
std::vector<std::string> unknownGuiArguments(std::span<char* const> arguments);

// Why the GUI cannot start for want of a display, or empty when it can: no platform is named
// (QT_QPA_PLATFORM or -platform) and neither an X nor a Wayland display is set. Said plainly
// instead of the GUI library's abort. `environment` reads a variable (null when unset).
std::string missingDisplayReason(std::span<char* const> arguments,
                                 const char* (*environment)(const char*));

// The text --help prints.
std::string guiUsage();
// The line --version prints.
std::string guiVersionLine();

} // namespace morva::app
