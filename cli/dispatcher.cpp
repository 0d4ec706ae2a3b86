#include "base/trace.h"
#include "cli/command_groups.h"
#include "cli/demo_devices.h"
#include "emulator/emulated_hid_bus.h"
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
                 "morvactl profile select <device> <number|name>\n"
                 "morvactl profile rename <device> <new name>\n"
                 "morvactl profile import|export <device> <file>",
                 runProfileCommands},
    CommandGroup{"watch", "morvactl [--demo] watch [--for <seconds>] [--events <count>]",
                 runWatchCommand},
    CommandGroup{"info", "morvactl [--demo] [--trace] info <slot number | device type | path>",
                 runInfoCommand},
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

void printUsage(std::ostream& to) {
    to << "usage:\n";
    for (const auto& group : kGroups) {
        std::string_view lines = group.usage;
        while (!lines.empty()) {
            const size_t end = std::min(lines.find('\n'), lines.size());
            to << "  " << lines.substr(0, end) << "\n";
            lines.remove_prefix(std::min(end + 1, lines.size()));
        }
    }
    to << "  --demo: use emulated devices instead of the system's HID devices\n";
    to << "  --trace: print every command exchange with a device on stderr\n";
}

} // namespace

std::span<const CommandGroup> commandGroups() {
    return kGroups;
}

int runMorvactl(const Arguments& commandLine, std::ostream& out, std::ostream& err) {
    Arguments rest;
    bool demo = false;
    bool traceExchanges = false;
    for (const auto& argument : commandLine) {
        if (argument == "--demo") {
            demo = true;
        } else if (argument == "--trace") {
            traceExchanges = true;
        } else if (argument == "--help" || argument == "-h" || argument == "help") {
            printUsage(out);
            return kExitOk;
        } else {
            rest.push_back(argument);
        }
    }
    if (rest.empty()) {
        printUsage(err);
        return kExitUsage;
    }
    const auto group = std::find_if(kGroups.begin(), kGroups.end(),
                                    [&](const CommandGroup& g) { return g.name == rest.front(); });
    if (group == kGroups.end()) {
        err << "morvactl: unknown command \"" << rest.front() << "\"\n";
        printUsage(err);
        return kExitUsage;
    }
    emulator::EmulatedHidBus demoBus;
    if (demo) {
        plugDemoDevices(demoBus);
    }
    CliContext context{demo ? static_cast<platform::HidBackend&>(demoBus) : defaultHidBackend(),
                       demo, out, err, traceExchanges};
    std::optional<TraceToStream> tracing;
    if (traceExchanges) {
        tracing.emplace(err);
    }
    const int result = group->run(context, Arguments(rest.begin() + 1, rest.end()));
    if (result == kExitUsage) {
        printUsage(err);
    }
    return result;
}

} // namespace morva::cli
