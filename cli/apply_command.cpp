#include "cli/command_groups.h"
#include "cli/device_target.h"
#include "cli/profile_device.h"
#include "device/device_macros.h"
#include "device/keyboard/keyboard_exchanges.h"
#include "device/macro_exchange.h"
#include "device/mouse/mouse_exchanges.h"
#include "device/mouse/mouse_profile_settings.h"
#include "keyassign/key_list_repair.h"
#include "macros/macro_list.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/mouse_profiledata.h"

// morvactl apply <device> [profile]: the full profile write, as the program makes it when a
// profile is chosen: the settings block, the macros and the key table.
namespace morva::cli {
namespace {

// Says how one write went; false when it failed.
bool report(CliContext& context, std::string_view what, int result) {
    if (result == device::kResultOk) {
        context.out << what << ": written\n";
        return true;
    }
    context.err << "morvactl: apply: writing the " << what
                << " failed: " << device::describeCommandResult(result) << " (" << result << ")\n";
    return false;
}

bool writeMacros(CliContext& context, device::DeviceCommandChannel& channel,
                 const std::filesystem::path& folder, size_t memoryBytes) {
    const device::MacroImage image = device::readDeviceMacroImage(folder);
    const device::MacroWriteResult result = device::writeMacros(channel, image, memoryBytes);
    if (result.excess > 0) {
        context.err << "morvactl: apply: the macros are " << result.excess
                    << " events too long for the device's macro memory; they were not written\n";
        return false;
    }
    if (!result.sent) {
        context.out << "macros: none\n";
        return true;
    }
    const size_t count = image.records.size();
    return report(context, std::to_string(count) + (count == 1 ? " macro" : " macros"),
                  result.channelResult);
}

// Keys bound to a macro that is gone get their factory function, here and in the profile.
std::vector<profiles::KeyAssignmentRecord>
repairedKeys(CliContext& context, profiles::CBasicProfiledata& data, const ProfileDevice& device) {
    std::vector<profiles::KeyAssignmentRecord> keys = data.ReadKeyList();
    if (keyassign::resetKeysOfLostMacros(keys, macros::readMacroList(device.dataFolder()).size())) {
        data.WriteKeyList(keys);
        data.Save();
        context.out << "keys of deleted macros: given their factory function\n";
    }
    return keys;
}

// A mouse write's outcome: a lost link is a failure the user should hear of.
bool report(CliContext& context, std::string_view what, const device::mouse::WriteResult& result) {
    if (result.linkLost) {
        context.err << "morvactl: apply: the mouse is not linked to its receiver; the " << what
                    << " was not written\n";
        return false;
    }
    return report(context, what, result.channelResult);
}

int applyToMouse(CliContext& context, device::DeviceCommandChannel& channel,
                 const ProfileDevice& device, SelectedProfile& profile) {
    auto& data = dynamic_cast<profiles::CMouseProfiledata&>(*profile.data);
    const device::mouse::Tables tables = device::mouse::readTables(channel);
    if (!tables.read) {
        context.err << "morvactl: apply: the mouse's key table could not be read\n";
        return kExitFailure;
    }
    const std::vector<profiles::KeyAssignmentRecord> keys = repairedKeys(context, data, device);
    const device::MouseSettings settings =
        device::mouseSettingsFromProfile(data, {.wireless = channel.isWireless()});
    bool ok = report(context, "settings block", device::mouse::writeSettings(channel, settings, 0));
    ok = writeMacros(context, channel, device.dataFolder(), tables.info.macroMemoryBytes()) && ok;
    ok = report(context, "button table", device::mouse::writeKeyTable(channel, tables, keys, 0)) &&
         ok;
    return ok ? kExitOk : kExitFailure;
}

int applyToKeyboard(CliContext& context, device::DeviceCommandChannel& channel,
                    const ProfileDevice& device, SelectedProfile& profile) {
    auto& data = dynamic_cast<profiles::CKeyboardProfiledata&>(*profile.data);
    const device::keyboard::Tables tables = device::keyboard::readTables(channel);
    if (!tables.read) {
        context.err << "morvactl: apply: the keyboard's key tables could not be read\n";
        return kExitFailure;
    }
    std::vector<profiles::KeyAssignmentRecord> keys = data.ReadKeyList();
    // A key bound to a macro that is gone gets its factory function, here and in the profile.
    if (keyassign::resetKeysOfLostMacros(keys, macros::readMacroList(device.dataFolder()).size())) {
        data.WriteKeyList(keys);
        data.Save();
        context.out << "keys of deleted macros: given their factory function\n";
    }
    bool ok = report(context, "settings block",
                     device::keyboard::writeSettings(
                         channel, {0, data.ReadLightInfo(), data.ReadKeyboardSystem()}));
    ok = writeMacros(context, channel, device.dataFolder(), tables.info.macroMemoryBytes()) && ok;
    ok = report(context, "key table",
                device::keyboard::writeKeyTable(channel, tables, keys, 0).value_or(-1)) &&
         ok;
    return ok ? kExitOk : kExitFailure;
}

} // namespace

int runApplyCommand(CliContext& context, const Arguments& arguments) {
    if (arguments.empty() || arguments.size() > 2) {
        context.err << "morvactl: apply needs a device and may name a profile\n";
        return kExitUsage;
    }
    const std::optional<ProfileDevice> device = findProfileDeviceOrSay(context, arguments[0]);
    if (!device) {
        return kExitFailure;
    }
    const bool mouse =
        device->deviceType == hid::kDeviceMouse || device->deviceType == hid::kDeviceWirelessMouse;
    if (device->deviceType != hid::kDeviceKeyboard && !mouse) {
        context.err << "morvactl: apply writes to keyboards and mice so far; " << device->folderName
                    << " is neither\n";
        return kExitFailure;
    }
    if (arguments.size() == 2) {
        if (const int selected =
                runProfileCommands(context, {"select", arguments[0], arguments[1]});
            selected != kExitOk) {
            return selected;
        }
    }
    const auto profile = loadSelectedProfile(context, *device);
    const hid::DeviceTabRow* tab = hid::findDeviceTab(device->folderName);
    Target target;
    if (!profile || tab == nullptr) {
        return kExitFailure;
    }
    if (const int resolved = resolveTabTarget(context, *tab, target); resolved != kExitOk) {
        return resolved;
    }
    device::DeviceCommandChannel channel(context.backend);
    if (const int opened = openChannel(context, channel, target); opened != kExitOk) {
        return opened;
    }
    context.out << "profile \"" << profile->name << "\" to " << device->folderName << "\n";
    return mouse ? applyToMouse(context, channel, *device, *profile)
                 : applyToKeyboard(context, channel, *device, *profile);
}

} // namespace morva::cli
