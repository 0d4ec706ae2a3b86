#include "cli/command_groups.h"
#include "platform/ipc_client.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace morva::cli {
namespace {

struct MessageCommand {
    std::string_view name;
    platform::MessageKind kind;
    uint32_t defaultWParam;
    int32_t defaultLParam;
};

// The instance message of a second start is (0, 1); the others have no defaults worth guessing.
constexpr MessageCommand kCommands[] = {
    {"instance", platform::MessageKind::Instance, 0, 1},
    {"forward", platform::MessageKind::Forward, 0, 0},
    {"light-control", platform::MessageKind::LightControl, 0, 0},
};

template <typename T> bool parseNumber(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && at == end;
}

} // namespace

int runMessageCommands(CliContext& context, const Arguments& arguments) {
    if (arguments.empty()) {
        return kExitUsage;
    }
    const MessageCommand* command = nullptr;
    for (const auto& candidate : kCommands) {
        if (candidate.name == arguments[0]) {
            command = &candidate;
        }
    }
    const bool needsParameters = command && command->kind != platform::MessageKind::Instance;
    if (!command || (arguments.size() != 1 && arguments.size() != 3) ||
        (needsParameters && arguments.size() != 3)) {
        return kExitUsage;
    }
    uint32_t wParam = command->defaultWParam;
    int32_t lParam = command->defaultLParam;
    if (arguments.size() == 3 &&
        (!parseNumber(arguments[1], wParam) || !parseNumber(arguments[2], lParam))) {
        context.err << "morvactl: wParam and lParam must be numbers\n";
        return kExitUsage;
    }
    const platform::SendResult result =
        platform::sendInstanceMessage(command->kind, wParam, lParam);
    if (result != platform::SendResult::Sent) {
        context.err << "morvactl: message not sent: " << platform::describe(result) << "\n";
        return kExitFailure;
    }
    context.out << "sent " << command->name << " " << wParam << " " << lParam << "\n";
    return kExitOk;
}

} // namespace morva::cli
