#include "base/program_identity.h"
#include "base/trace.h"
#include "cli/command_groups.h"
#include "emulator/demo_devices.h"
#include "emulator/emulated_hid_bus.h"
#include "emulator/firmware/memory_dump.h"
#include "hid/device_model_catalog.h"
#include "hid/hid_default_backend.h"

#include <algorithm>
#include <array>
#include <optional>

namespace morva::cli {
namespace {

constexpr std::array kGroups = {
    CommandGroup{"hid",
                 "morvactl [--demo] hid list\n"
                 "morvactl hid descriptor <hex bytes... | file>",
                 runHidCommands},
    CommandGroup{"devices", "morvactl [--demo] devices", runDevicesCommand},
    CommandGroup{"profile",
                 "morvactl profile list|add|copy|delete|reset <device>\n"
                 "morvactl profile select <device> <name> | --number <n>\n"
                 "morvactl profile rename <device> <new name>\n"
                 "morvactl profile import|export <device> <file>",
                 runProfileCommands},
    CommandGroup{"light",
                 "morvactl light show <device>\n"
                 "morvactl light set <device> effect=N brightness=0-4 speed=0-4 direction=0|1 "
                 "colour=RRGGBB multicolour=0|1\n"
                 "morvactl light frames <device> [--ms <milliseconds>]",
                 runLightCommands},
    CommandGroup{"apply", "morvactl [--demo] [--trace] apply <device> [<profile>]",
                 runApplyCommand},
    CommandGroup{"keys",
                 "morvactl keys <device>\n"
                 "morvactl keys <device> set <key number | factory function> <assignment>",
                 runKeyCommands},
    CommandGroup{"macro",
                 "morvactl macro list <device>\n"
                 "morvactl macro show <device> <name | number>\n"
                 "morvactl macro export <device> <name | number> <file>\n"
                 "morvactl macro import <device> <file> [--name <name>]",
                 runMacroCommands},
    CommandGroup{"watch", "morvactl [--demo] watch [--for <seconds>] [--events <count>]",
                 runWatchCommand},
    CommandGroup{"info",
                 "morvactl [--demo] [--trace] info <slot number | device type | tab name | path>",
                 runInfoCommand},
    CommandGroup{"message", kMessageUsage, runMessageCommands},
};

// Sends the trace to a stream while a command runs.
class TraceToStream {
public:
    explicit TraceToStream(std::ostream& to) {
        setTraceSink([&to](std::string_view text) { to << text; });
    }
    ~TraceToStream() { setTraceSink({}); }
    TraceToStream(const TraceToStream&) = delete;
    TraceToStream& operator=(const TraceToStream&) = delete;
};

struct GlobalOptions {
    bool demo = false;
    bool trace = false;
    bool help = false;
    bool version = false;
    bool showDeviceMemory = false;
};

constexpr std::array<std::string_view, 6> kGlobalOptions = {
    "--demo", "--trace", "--help", "-h", "--version", "--show-device-memory"};

bool isGlobalOption(std::string_view argument) {
    return std::find(kGlobalOptions.begin(), kGlobalOptions.end(), argument) !=
           kGlobalOptions.end();
}

// Options go before the command and "--" ends them, so whatever follows the command is its own
// (a profile may be called "--demo" or "help"). The index of the command, which is the size of
// the command line when there is none; nothing after an unknown option.
std::optional<size_t> parseGlobalOptions(const Arguments& commandLine, GlobalOptions& options,
                                         std::ostream& err) {
    for (size_t i = 0; i < commandLine.size(); ++i) {
        const std::string& argument = commandLine[i];
        if (argument == "--") {
            return i + 1;
        }
        if (argument == "--demo") {
            options.demo = true;
        } else if (argument == "--trace") {
            options.trace = true;
        } else if (argument == "--show-device-memory") {
            options.showDeviceMemory = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument.starts_with("-")) {
            err << "morvactl: unknown option \"" << argument << "\"\n";
            return std::nullopt;
        } else {
            return i;
        }
    }
    return commandLine.size();
}

// A command that refused its arguments may have been given an option meant for morvactl.
void hintMisplacedOptions(const Arguments& arguments, std::ostream& err) {
    const auto misplaced = std::find_if(arguments.begin(), arguments.end(), isGlobalOption);
    if (misplaced != arguments.end()) {
        err << "morvactl: " << *misplaced << " goes before the command\n";
    }
}

void printUsage(std::ostream& to) {
    to << "usage: morvactl [--demo] [--trace] [--] <command> [<arguments>]\n";
    to << "commands:\n";
    for (const auto& group : kGroups) {
        std::string_view lines = group.usage;
        while (!lines.empty()) {
            const size_t end = std::min(lines.find('\n'), lines.size());
            to << "  " << lines.substr(0, end) << "\n";
            lines.remove_prefix(std::min(end + 1, lines.size()));
        }
    }
    to << "options go before the command; \"--\" ends them:\n";
    to << "  --demo: use emulated devices instead of the system's HID devices\n";
    to << "  --trace: print every command exchange with a device on stderr\n";
    to << "  --show-device-memory: with --demo, print what the emulated devices the command talked "
          "to hold afterwards\n";
    to << "  --help: print this text\n";
    to << "  --version: print the version\n";
}

// What reached each emulated device the command talked to.
void showTouchedDeviceMemory(const std::vector<emulator::DemoDevice>& devices, std::ostream& out) {
    for (const emulator::DemoDevice& demo : devices) {
        emulator::CommandFirmware& firmware = demo.device->firmware();
        if (firmware.transactionsBegun() > 0) {
            out << "== memory of the emulated " << demo.tabName << " ==\n"
                << emulator::describeFirmwareMemory(firmware);
        }
    }
}

} // namespace

std::span<const CommandGroup> commandGroups() {
    return kGroups;
}

int runMorvactl(const Arguments& commandLine, std::ostream& out, std::ostream& err) {
    GlobalOptions options;
    const std::optional<size_t> commandAt = parseGlobalOptions(commandLine, options, err);
    if (!commandAt) {
        printUsage(err);
        return kExitUsage;
    }
    if (options.version) {
        out << "morvactl " << programVersion() << "\n";
        return kExitOk;
    }
    if (options.help || (*commandAt < commandLine.size() && commandLine[*commandAt] == "help")) {
        printUsage(out);
        return kExitOk;
    }
    if (*commandAt == commandLine.size()) {
        printUsage(err);
        return kExitUsage;
    }
    const std::string& command = commandLine[*commandAt];
    const auto group = std::find_if(kGroups.begin(), kGroups.end(),
                                    [&](const CommandGroup& g) { return g.name == command; });
    if (group == kGroups.end()) {
        err << "morvactl: unknown command \"" << command << "\"\n";
        printUsage(err);
        return kExitUsage;
    }
    const Arguments arguments(commandLine.begin() + static_cast<std::ptrdiff_t>(*commandAt) + 1,
                              commandLine.end());
    if (!hid::installedDeviceModelsError().empty()) {
        err << "morvactl: the supported device models are unknown: "
            << hid::installedDeviceModelsError() << "\n";
        return kExitFailure;
    }
    if (options.showDeviceMemory && !options.demo) {
        err << "morvactl: --show-device-memory shows the memory of emulated devices; it needs "
               "--demo\n";
        return kExitUsage;
    }
    emulator::EmulatedHidBus demoBus;
    std::vector<emulator::DemoDevice> demoDevices;
    if (options.demo) {
        demoDevices = emulator::plugDemoDevices(demoBus);
    }
    CliContext context{options.demo ? static_cast<platform::HidBackend&>(demoBus)
                                    : hid::defaultHidBackend(),
                       options.demo, out, err, options.trace};
    std::optional<TraceToStream> tracing;
    if (options.trace) {
        tracing.emplace(err);
    }
    const int result = group->run(context, arguments);
    if (options.showDeviceMemory) {
        showTouchedDeviceMemory(demoDevices, out);
    }
    if (result == kExitUsage) {
        hintMisplacedOptions(arguments, err);
        printUsage(err);
    }
    return result;
}

} // namespace morva::cli
