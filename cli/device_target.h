#pragma once

#include "cli/cli_context.h"
#include "device/command_channel.h"
#include "hid/hid_model_tables.h"

#include <string>

// The device a command line names, and its command channel opened.
namespace morva::cli {

// The vendor interface a command line names.
struct Target {
    std::wstring path;
    int slot = -1;
    uint16_t deviceType = 0;
};

// A slot number, a device type (any device of that type), a tab name (the devices of that tab's
// model) or an interface path; an exit code, after saying why on err when it is not kExitOk.
int resolveTarget(CliContext& context, const std::string& argument, Target& target);
// The connected primary interface of the tab's model.
int resolveTabTarget(CliContext& context, const hid::DeviceTabRow& tab, Target& target);

// Opens the channel on the target's path (wireless for a wireless mouse); says why not on err.
int openChannel(CliContext& context, device::DeviceCommandChannel& channel, const Target& target);

// Whether a command result is success; says what failed on err otherwise.
bool succeeded(CliContext& context, const char* what, int result);

} // namespace morva::cli
