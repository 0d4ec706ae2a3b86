#include "base/text.h"
#include "cli/command_groups.h"
#include "hid/hid_model_tables.h"
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

struct ProfileDevice {
    std::string folderName; // the device folder name of the device-tab table
    int deviceType = 0;
};

std::optional<ProfileDevice> findProfileDevice(std::string_view name) {
    for (const DeviceTabRow& row : DeviceTabTable()) {
        if (equalsIgnoreCase(row.tabName, name)) {
            return ProfileDevice{std::string(row.tabName), row.deviceType};
        }
    }
    return std::nullopt;
}

std::string deviceNames() {
    std::string names;
    for (const DeviceTabRow& row : DeviceTabTable()) {
        names += names.empty() ? "" : ", ";
        names += row.tabName;
    }
    return names;
}

// What a profile command works with: the device's list, loaded, and where to print.
struct ProfileSession {
    CliContext& context;
    std::string operation;
    ProfileDevice device;
    ProfileList& list;

    // "2: Game": the number the list shows (from 1) and the name.
    std::string entryText(int index) const {
        return std::to_string(index + 1) + ": " + list.entries()[static_cast<size_t>(index)].name;
    }

    // What the user should know although the operation went through (a file kept as ".bad").
    void note(const ProfileResult& result) const {
        if (result.notice != ProfileNotice::None) {
            context.err << "morvactl: note: " << describeProfileNotice(result.notice) << "\n";
        }
    }

    int fail(const ProfileResult& result) const {
        context.err << "morvactl: profile " << operation << " " << device.folderName << ": "
                    << describeProfileStatus(result.status) << "\n";
        return kExitFailure;
    }
};

// A profile number as "list" shows it (from 1), or a profile name (exact first, then ignoring
// case); -1 when it names none.
int findProfile(const ProfileList& list, std::string_view wanted) {
    int number = 0;
    const auto [end, error] = std::from_chars(wanted.data(), wanted.data() + wanted.size(), number);
    if (error == std::errc() && end == wanted.data() + wanted.size()) {
        return number >= 1 && number <= list.size() ? number - 1 : -1;
    }
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

int listProfiles(ProfileSession& session, const Arguments&) {
    const auto& entries = session.list.entries();
    for (int i = 0; i < session.list.size(); ++i) {
        session.context.out << (i == session.list.selectedIndex() ? "* " : "  ")
                            << session.entryText(i) << "  ("
                            << entries[static_cast<size_t>(i)].identifier << ")\n";
    }
    return kExitOk;
}

int selectProfile(ProfileSession& session, const Arguments& extra) {
    const int index = findProfile(session.list, extra[0]);
    if (index < 0) {
        session.context.err << "morvactl: profile select " << session.device.folderName
                            << ": no profile is numbered or named \"" << extra[0] << "\"\n";
        return kExitFailure;
    }
    const ProfileResult result = session.list.select(index);
    if (!result.ok()) {
        return session.fail(result);
    }
    session.context.out << "selected " << session.entryText(index) << "\n";
    return kExitOk;
}

int addProfile(ProfileSession& session, const Arguments&) {
    const ProfileResult result = session.list.add();
    if (!result.ok()) {
        return session.fail(result);
    }
    // The list file names the new profile as the selection, as the panel leaves it.
    session.context.out << "added " << session.entryText(result.index) << " (now selected)\n";
    return kExitOk;
}

int copyProfile(ProfileSession& session, const Arguments&) {
    const int source = session.list.selectedIndex();
    const ProfileResult result = session.list.copySelected();
    if (!result.ok()) {
        return session.fail(result);
    }
    session.note(result);
    session.context.out << "copied " << session.entryText(source) << " to "
                        << session.entryText(result.index) << "\n";
    return kExitOk;
}

int renameProfile(ProfileSession& session, const Arguments& extra) {
    const int index = session.list.selectedIndex();
    const std::string oldName =
        index >= 0 ? session.list.entries()[static_cast<size_t>(index)].name : std::string();
    const ProfileResult result = session.list.renameSelected(extra[0]);
    if (!result.ok()) {
        return session.fail(result);
    }
    session.note(result);
    session.context.out << "renamed " << (index + 1) << ": " << oldName << " to " << result.name
                        << "\n";
    return kExitOk;
}

int deleteProfile(ProfileSession& session, const Arguments&) {
    const int index = session.list.selectedIndex();
    const std::string deleted = index >= 0 ? session.entryText(index) : std::string();
    const ProfileResult result = session.list.deleteSelected();
    if (!result.ok()) {
        return session.fail(result);
    }
    session.context.out << "deleted " << deleted << "; selected " << session.entryText(result.index)
                        << "\n";
    return kExitOk;
}

int resetProfile(ProfileSession& session, const Arguments&) {
    const ProfileResult result = session.list.resetSelected();
    if (!result.ok()) {
        return session.fail(result);
    }
    session.context.out << "reset " << session.entryText(result.index)
                        << " to the default profile\n";
    return kExitOk;
}

int importProfile(ProfileSession& session, const Arguments& extra) {
    const ProfileResult result = session.list.importFrom(extra[0]);
    if (!result.ok()) {
        return session.fail(result);
    }
    session.context.out << "imported " << extra[0] << " as " << session.entryText(result.index)
                        << "\n";
    return kExitOk;
}

int exportProfile(ProfileSession& session, const Arguments& extra) {
    const ProfileResult result = session.list.exportTo(extra[0]);
    if (!result.ok()) {
        return session.fail(result);
    }
    session.context.out << "exported " << session.entryText(result.index) << " to " << extra[0]
                        << "\n";
    return kExitOk;
}

struct ProfileOperation {
    std::string_view name;
    size_t extraArguments; // after the device name
    int (*run)(ProfileSession& session, const Arguments& extra);
};

constexpr std::array kOperations = {
    ProfileOperation{"list", 0, listProfiles},    ProfileOperation{"select", 1, selectProfile},
    ProfileOperation{"add", 0, addProfile},       ProfileOperation{"copy", 0, copyProfile},
    ProfileOperation{"rename", 1, renameProfile}, ProfileOperation{"delete", 0, deleteProfile},
    ProfileOperation{"reset", 0, resetProfile},   ProfileOperation{"import", 1, importProfile},
    ProfileOperation{"export", 1, exportProfile},
};

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
    const std::optional<ProfileDevice> device = findProfileDevice(arguments[1]);
    if (!device) {
        context.err << "morvactl: unknown device \"" << arguments[1]
                    << "\"; the devices are: " << deviceNames() << "\n";
        return kExitUsage;
    }
    const Arguments extra(arguments.begin() + 2, arguments.end());
    if (extra.size() != operation->extraArguments) {
        context.err << "morvactl: profile " << operation->name << " takes "
                    << (operation->extraArguments == 0 ? "no argument" : "one argument")
                    << " after the device\n";
        return kExitUsage;
    }

    const std::filesystem::path folder = folders::deviceDataFolder(device->folderName);
    ProfileList list(folder, folders::defaultProfilePath(device->folderName), device->deviceType);
    ProfileSession session{context, std::string(operation->name), *device, list};
    if (const ProfileResult loaded = list.load(); !loaded.ok()) {
        context.err << "morvactl: cannot read or create the profile list in " << folder.string()
                    << ": " << describeProfileStatus(loaded.status) << "\n";
        return kExitFailure;
    } else {
        session.note(loaded);
    }
    return operation->run(session, extra);
}

} // namespace morva::cli
