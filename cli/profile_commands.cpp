#include "base/text.h"
#include "cli/command_groups.h"
#include "cli/profile_device.h"
#include "profiles/data_folders.h"
#include "profiles/list/profile_list.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

// morvactl profile ...: the profile list of a device model, on the same files the profile panel
// uses, so what is done here shows in the program and the other way round.
namespace morva::cli {
namespace {

// What a profile command works with: the device's list, loaded, and where to print.
struct ProfileSession {
    CliContext& context;
    std::string operation;
    ProfileDevice device;
    profiles::ProfileList& list;

    // "2: Game": the number the list shows (from 1) and the name.
    std::string entryText(int index) const {
        return std::to_string(index + 1) + ": " + list.entries()[static_cast<size_t>(index)].name;
    }

    // What the user should know although the operation went through (a file kept as ".bad").
    void note(const profiles::ProfileResult& result) const {
        if (result.notice != profiles::ProfileNotice::None) {
            context.err << "morvactl: note: " << profiles::describeProfileNotice(result.notice)
                        << "\n";
        }
    }

    int fail(const profiles::ProfileResult& result) const {
        context.err << "morvactl: profile " << operation << " " << device.folderName << ": "
                    << profiles::describeProfileStatus(result.status) << "\n";
        return kExitFailure;
    }
};

// What follows the device: the operation's one argument, if it takes one. It is taken as it
// stands, so a profile may be called "help" or "--demo"; "--number <n>" picks a profile by the
// number "list" shows, and "--" before the argument ends the options.
struct ProfileArgument {
    std::string text;
    bool isNumber = false;
};

// A profile name, exact first, then ignoring case; -1 when it names none.
int findProfileByName(const profiles::ProfileList& list, std::string_view wanted) {
    const auto& entries = list.entries();
    for (const bool ignoreCase : {false, true}) {
        const auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& entry) {
            return ignoreCase ? equalsIgnoreCase(entry.name, wanted) : entry.name == wanted;
        });
        if (found != entries.end()) {
            return static_cast<int>(found - entries.begin());
        }
    }
    return -1;
}

// A profile number as "list" shows it (from 1); -1 when there is no such profile.
int findProfileByNumber(const profiles::ProfileList& list, std::string_view number) {
    int value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    const bool whole = error == std::errc() && end == number.data() + number.size();
    return whole && value >= 1 && value <= list.size() ? value - 1 : -1;
}

bool isProfileNumber(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int listProfiles(ProfileSession& session, const ProfileArgument&) {
    const auto& entries = session.list.entries();
    for (int i = 0; i < session.list.size(); ++i) {
        session.context.out << (i == session.list.selectedIndex() ? "* " : "  ")
                            << session.entryText(i) << "  ("
                            << entries[static_cast<size_t>(i)].identifier << ")\n";
    }
    return kExitOk;
}

int selectProfile(ProfileSession& session, const ProfileArgument& wanted) {
    const int index = wanted.isNumber ? findProfileByNumber(session.list, wanted.text)
                                      : findProfileByName(session.list, wanted.text);
    if (index < 0) {
        session.context.err << "morvactl: profile select " << session.device.folderName << ": "
                            << (wanted.isNumber ? "there is no profile number "
                                                : "no profile is named ")
                            << "\"" << wanted.text << "\"\n";
        return kExitFailure;
    }
    const profiles::ProfileResult result = session.list.select(index);
    if (!result.ok()) {
        return session.fail(result);
    }
    session.context.out << "selected " << session.entryText(index) << "\n";
    return kExitOk;
}

int addProfile(ProfileSession& session, const ProfileArgument&) {
    const profiles::ProfileResult result = session.list.add();
    if (!result.ok()) {
        return session.fail(result);
    }
    // The list file names the new profile as the selection, as the panel leaves it.
    session.context.out << "added " << session.entryText(result.index) << " (now selected)\n";
    return kExitOk;
}

int copyProfile(ProfileSession& session, const ProfileArgument&) {
    const int source = session.list.selectedIndex();
    const profiles::ProfileResult result = session.list.copySelected();
    if (!result.ok()) {
        return session.fail(result);
    }
    session.note(result);
    session.context.out << "copied " << session.entryText(source) << " to "
                        << session.entryText(result.index) << "\n";
    return kExitOk;
}

int renameProfile(ProfileSession& session, const ProfileArgument& newName) {
    const int index = session.list.selectedIndex();
    const std::string oldName =
        index >= 0 ? session.list.entries()[static_cast<size_t>(index)].name : std::string();
    const profiles::ProfileResult result = session.list.renameSelected(newName.text);
    if (!result.ok()) {
        return session.fail(result);
    }
    session.note(result);
    session.context.out << "renamed " << (index + 1) << ": " << oldName << " to " << result.name
                        << "\n";
    return kExitOk;
}

int deleteProfile(ProfileSession& session, const ProfileArgument&) {
    const int index = session.list.selectedIndex();
    const std::string deleted = index >= 0 ? session.entryText(index) : std::string();
    const profiles::ProfileResult result = session.list.deleteSelected();
    if (!result.ok()) {
        return session.fail(result);
    }
    session.context.out << "deleted " << deleted << "; selected " << session.entryText(result.index)
                        << "\n";
    return kExitOk;
}

int resetProfile(ProfileSession& session, const ProfileArgument&) {
    const profiles::ProfileResult result = session.list.resetSelected();
    if (!result.ok()) {
        return session.fail(result);
    }
    session.context.out << "reset " << session.entryText(result.index)
                        << " to the default profile\n";
    return kExitOk;
}

int importProfile(ProfileSession& session, const ProfileArgument& file) {
    const profiles::ProfileResult result = session.list.importFrom(file.text);
    if (!result.ok()) {
        return session.fail(result);
    }
    session.context.out << "imported " << file.text << " as " << session.entryText(result.index)
                        << "\n";
    return kExitOk;
}

int exportProfile(ProfileSession& session, const ProfileArgument& file) {
    const profiles::ProfileResult result = session.list.exportTo(file.text);
    if (!result.ok()) {
        return session.fail(result);
    }
    session.context.out << "exported " << session.entryText(result.index) << " to " << file.text
                        << "\n";
    return kExitOk;
}

struct ProfileOperation {
    std::string_view name;
    bool takesArgument; // one argument after the device
    bool acceptsNumber; // the argument may be "--number <n>" instead
    int (*run)(ProfileSession& session, const ProfileArgument& argument);
};

constexpr std::array kOperations = {
    ProfileOperation{"list", false, false, listProfiles},
    ProfileOperation{"select", true, true, selectProfile},
    ProfileOperation{"add", false, false, addProfile},
    ProfileOperation{"copy", false, false, copyProfile},
    ProfileOperation{"rename", true, false, renameProfile},
    ProfileOperation{"delete", false, false, deleteProfile},
    ProfileOperation{"reset", false, false, resetProfile},
    ProfileOperation{"import", true, false, importProfile},
    ProfileOperation{"export", true, false, exportProfile},
};

std::string_view expectedArguments(const ProfileOperation& operation) {
    if (!operation.takesArgument) {
        return "no argument";
    }
    return operation.acceptsNumber ? "a name or \"--number <n>\"" : "one argument";
}

// The operation's argument from what follows the device; nothing (after saying why) when it
// does not fit the operation.
std::optional<ProfileArgument> parseProfileArgument(const ProfileOperation& operation,
                                                    const Arguments& extra, std::ostream& err) {
    ProfileArgument argument;
    auto rest = extra.begin();
    if (operation.acceptsNumber && rest != extra.end() && *rest == "--number") {
        argument.isNumber = true;
        ++rest;
    } else if (rest != extra.end() && *rest == "--") {
        ++rest;
    }
    const auto count = static_cast<size_t>(extra.end() - rest);
    if (count != (operation.takesArgument ? 1u : 0u)) {
        err << "morvactl: profile " << operation.name << " takes " << expectedArguments(operation)
            << " after the device\n";
        return std::nullopt;
    }
    if (count == 1) {
        argument.text = *rest;
    }
    if (argument.isNumber && !isProfileNumber(argument.text)) {
        err << "morvactl: profile " << operation.name << ": --number wants the number \"list\" "
            << "shows, not \"" << argument.text << "\"\n";
        return std::nullopt;
    }
    return argument;
}

} // namespace

int runProfileCommands(CliContext& context, const Arguments& arguments) {
    if (arguments.size() < 2) {
        context.err << "morvactl: profile needs an operation and a device\n";
        return kExitUsage;
    }
    const auto operation =
        std::find_if(kOperations.begin(), kOperations.end(),
                     [&](const ProfileOperation& o) { return o.name == arguments[0]; });
    if (operation == kOperations.end()) {
        context.err << "morvactl: unknown profile operation \"" << arguments[0] << "\"\n";
        return kExitUsage;
    }
    const std::optional<ProfileDevice> device = findProfileDeviceOrSay(context, arguments[1]);
    if (!device) {
        return kExitUsage;
    }
    const std::optional<ProfileArgument> argument = parseProfileArgument(
        *operation, Arguments(arguments.begin() + 2, arguments.end()), context.err);
    if (!argument) {
        return kExitUsage;
    }

    const std::unique_ptr<profiles::ProfileList> list = loadProfileList(context, *device);
    if (!list) {
        return kExitFailure;
    }
    ProfileSession session{context, std::string(operation->name), *device, *list};
    return operation->run(session, *argument);
}

} // namespace morva::cli
