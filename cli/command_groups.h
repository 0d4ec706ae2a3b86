#pragma once

#include "cli/cli_context.h"

#include <span>
#include <string_view>

namespace morva::cli {

// One command group of morvactl ("hid", "devices", ...); each lives in its own file.
struct CommandGroup {
    std::string_view name;
    std::string_view usage; // one or more lines, each "morvactl ..."
    int (*run)(CliContext& context, const Arguments& arguments);
};

int runHidCommands(CliContext& context, const Arguments& arguments);
int runDevicesCommand(CliContext& context, const Arguments& arguments);
int runInfoCommand(CliContext& context, const Arguments& arguments);
int runProfileCommands(CliContext& context, const Arguments& arguments);
int runLightCommands(CliContext& context, const Arguments& arguments);
int runApplyCommand(CliContext& context, const Arguments& arguments);
int runKeyCommands(CliContext& context, const Arguments& arguments);
int runMacroCommands(CliContext& context, const Arguments& arguments);
int runWatchCommand(CliContext& context, const Arguments& arguments);
// Messages to the running program (message_commands.cpp).
inline constexpr std::string_view kMessageUsage =
    "morvactl message instance [<wParam> <lParam>]\n"
    "morvactl message forward <wParam> <lParam>\n"
    "morvactl message light-control <wParam> <lParam>";
int runMessageCommands(CliContext& context, const Arguments& arguments);

std::span<const CommandGroup> commandGroups();

// The whole command line after the program name: global options, then a group and its
// arguments. Prints usage on a mistake.
int runMorvactl(const Arguments& commandLine, std::ostream& out, std::ostream& err);

} // namespace morva::cli
