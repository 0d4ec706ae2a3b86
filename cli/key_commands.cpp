#include "base/text.h"
#include "cli/command_groups.h"
#include "cli/profile_device.h"
#include "hid/hid_model_tables.h"
#include "keyassign/assignment_text.h"
#include "macros/macro_list.h"

#include <charconv>

// morvactl keys <device> [set <key> <assignment>]: the key assignments of the device's selected
// profile, in the readable text form.
namespace morva::cli {
namespace {

using profiles::KeyAssignmentRecord;

bool hasKeys(const ProfileDevice& device) {
    return device.deviceType == hid::kDeviceKeyboard || device.deviceType == hid::kDeviceMouse ||
           device.deviceType == hid::kDeviceWirelessMouse;
}

// The key a user names: its position, or the text of its factory function ("F1", "Mouse Left").
std::optional<size_t> findKey(const std::vector<KeyAssignmentRecord>& keys, std::string_view name,
                              std::span<const std::string> macroNames) {
    size_t position = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), position);
    if (error == std::errc() && end == name.data() + name.size()) {
        return position < keys.size() ? std::optional(position) : std::nullopt;
    }
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::string factory =
            keyassign::describeAssignment(keys[i].defaultAssignment.code, macroNames);
        if (equalsIgnoreCase(factory, name)) {
            return i;
        }
    }
    return std::nullopt;
}

int listKeys(CliContext& context, const SelectedProfile& profile,
             const std::vector<KeyAssignmentRecord>& keys,
             std::span<const std::string> macroNames) {
    context.out << "profile \"" << profile.name << "\": " << keys.size() << " keys\n";
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::string factory =
            keyassign::describeAssignment(keys[i].defaultAssignment.code, macroNames);
        const bool changed = keys[i].assignment.code != keys[i].defaultAssignment.code;
        const std::string number = std::to_string(i);
        const std::string padding(factory.size() < 16 ? 16 - factory.size() : 0, ' ');
        context.out << std::string(number.size() < 3 ? 3 - number.size() : 0, ' ') << number << "  "
                    << factory << padding << " "
                    << (changed ? keyassign::describeAssignment(keys[i].assignment.code, macroNames)
                                : std::string("(factory)"))
                    << "\n";
    }
    return kExitOk;
}

int setKey(CliContext& context, const ProfileDevice& device, SelectedProfile& profile,
           std::vector<KeyAssignmentRecord>& keys, const Arguments& extra,
           std::span<const std::string> macroNames) {
    if (extra.size() != 3) {
        context.err << "morvactl: keys set takes a key and an assignment, as in "
                       "keys keyboard set F1 \"Ctrl+C\"\n";
        return kExitUsage;
    }
    const std::optional<size_t> key = findKey(keys, extra[1], macroNames);
    if (!key) {
        context.err << "morvactl: " << device.folderName << " has no key \"" << extra[1]
                    << "\"; give its number (0 to " << keys.size() - 1
                    << ") or its factory function as \"keys " << device.folderName
                    << "\" lists it\n";
        return kExitFailure;
    }
    const keyassign::ParsedAssignment parsed = keyassign::parseAssignment(extra[2], macroNames);
    if (!parsed.code && !parsed.factoryDefault) {
        context.err << "morvactl: \"" << extra[2] << "\" is no assignment: " << parsed.error
                    << "\n";
        return kExitFailure;
    }
    KeyAssignmentRecord& record = keys[*key];
    record.assignment.code = parsed.factoryDefault ? record.defaultAssignment.code : *parsed.code;
    profile.data->WriteKeyList(keys);
    if (!profile.data->Save()) {
        context.err << "morvactl: the profile could not be written: " << profile.path.string()
                    << "\n";
        return kExitFailure;
    }
    context.out << *key << "  " << keyassign::describeAssignment(record.assignment.code, macroNames)
                << "\n";
    return kExitOk;
}

} // namespace

int runKeyCommands(CliContext& context, const Arguments& arguments) {
    if (arguments.empty()) {
        context.err << "morvactl: keys needs a device\n";
        return kExitUsage;
    }
    const std::optional<ProfileDevice> device = findProfileDeviceOrSay(context, arguments[0]);
    if (!device) {
        return kExitFailure;
    }
    if (!hasKeys(*device)) {
        context.err << "morvactl: " << device->folderName
                    << " has no keys to assign; keyboards and mice have\n";
        return kExitFailure;
    }
    const Arguments extra(arguments.begin() + 1, arguments.end());
    if (!extra.empty() && extra[0] != "set") {
        context.err << "morvactl: keys " << device->folderName << " takes nothing or \"set\"\n";
        return kExitUsage;
    }
    const auto profile = loadSelectedProfile(context, *device);
    if (!profile) {
        return kExitFailure;
    }
    std::vector<KeyAssignmentRecord> keys = profile->data->ReadKeyList();
    if (keys.empty()) {
        context.err << "morvactl: the profile of " << device->folderName << " lists no keys\n";
        return kExitFailure;
    }
    const std::vector<std::string> macroNames = macros::readMacroNames(device->dataFolder());
    if (extra.empty()) {
        return listKeys(context, *profile, keys, macroNames);
    }
    return setKey(context, *device, *profile, keys, extra, macroNames);
}

} // namespace morva::cli
