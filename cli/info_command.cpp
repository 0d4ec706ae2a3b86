#include "base/text.h"
#include "cli/command_groups.h"
#include "cli/hid_json.h"
#include "cli/slot_scan.h"
#include "device/command_channel.h"
#include "hid/hid_path.h"
#include "platform/hid_linux_backend.h"

#include <algorithm>
#include <cstdio>

// morvactl info <device>: Begin transaction, read the device information, End transaction, and
// print what the record says.
namespace morva::cli {
namespace {

// The vendor interface a command line names.
struct Target {
    std::wstring path;
    int slot = -1;
    uint16_t deviceType = 0;
};

bool isSlotNumber(const std::string& text) {
    return !text.empty() && text.size() <= 3 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool looksLikePath(const std::string& text) {
    return text.find('#') != std::string::npos;
}

void takeSlot(const SlotScan& scan, size_t index, Target& target) {
    target.slot = static_cast<int>(index);
    target.path = scan.slots[index].path;
    target.deviceType = scan.slots[index].deviceType;
}

int targetOfSlot(CliContext& context, const SlotScan& scan, size_t index, Target& target) {
    if (index >= scan.slots.size()) {
        context.err << "morvactl: there is no slot " << index << " (slots 0 to "
                    << scan.slots.size() - 1 << ")\n";
        return kExitUsage;
    }
    const hid::InterfaceSlot& slot = scan.slots[index];
    if (slot.connected == 0) {
        context.err << "morvactl: no device is connected in slot " << index << " ("
                    << deviceTypeName(slot.deviceType) << ")\n";
        return kExitFailure;
    }
    if (slot.role == hid::kRoleCompanion) {
        context.err << "morvactl: slot " << index << " is the " << deviceTypeName(slot.deviceType)
                    << "'s companion collection, which carries no commands\n";
        return kExitFailure;
    }
    takeSlot(scan, index, target);
    return kExitOk;
}

// The first connected slot the predicate accepts; `what` names the device when there is none.
template <typename Accepts>
int targetOfFirst(CliContext& context, const SlotScan& scan, std::string_view what,
                  const Accepts& accepts, Target& target) {
    for (size_t i = 0; i < scan.slots.size(); ++i) {
        if (scan.slots[i].connected != 0 && accepts(scan.slots[i])) {
            takeSlot(scan, i, target);
            return kExitOk;
        }
    }
    context.err << "morvactl: no " << what << " is connected\n";
    return kExitFailure;
}

int targetOfType(CliContext& context, const SlotScan& scan, uint16_t type, Target& target) {
    return targetOfFirst(
        context, scan, deviceTypeName(type),
        [type](const hid::InterfaceSlot& slot) {
            return slot.deviceType == type && slot.role == hid::kRolePrimary;
        },
        target);
}

int targetOfTab(CliContext& context, const SlotScan& scan, const hid::DeviceTabRow& tab,
                Target& target) {
    return targetOfFirst(
        context, scan, tab.tabName,
        [&tab](const hid::InterfaceSlot& slot) { return hid::slotMatchesTab(slot, tab); }, target);
}

// A path needs no slot; when one holds it, its type is known (and with it the wireless flag).
int targetOfPath(const SlotScan& scan, const std::string& path, Target& target) {
    target.path = Utf8ToWide(path);
    for (size_t i = 0; i < scan.slots.size(); ++i) {
        if (scan.slots[i].connected != 0 && scan.slots[i].path == target.path) {
            takeSlot(scan, i, target);
        }
    }
    return kExitOk;
}

// A device type stands for any device of that type; a tab name (as the profile commands take
// it) for the devices of that tab's model.
int resolveTarget(CliContext& context, const std::string& argument, Target& target) {
    const uint16_t type = deviceTypeOfName(argument);
    const hid::DeviceTabRow* tab = hid::findDeviceTab(argument);
    if (!isSlotNumber(argument) && type == 0 && tab == nullptr && !looksLikePath(argument)) {
        context.err << "morvactl: \"" << argument
                    << "\" is neither a slot number, a device type, a tab name nor an interface "
                       "path\n";
        return kExitUsage;
    }
    SlotScan scan;
    if (!scanSlots(context, scan)) {
        return kExitFailure;
    }
    if (isSlotNumber(argument)) {
        return targetOfSlot(context, scan, std::stoul(argument), target);
    }
    if (type != 0) {
        return targetOfType(context, scan, type, target);
    }
    if (tab != nullptr) {
        return targetOfTab(context, scan, *tab, target);
    }
    return targetOfPath(scan, argument, target);
}

std::string recordHex(const device::DeviceInfoRecord& info) {
    std::string text;
    for (uint8_t byte : info.bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x", byte);
        text += text.empty() ? "" : " ";
        text += hex;
    }
    return text;
}

bool isMouse(uint16_t type) {
    return type == hid::kDeviceMouse || type == hid::kDeviceWirelessMouse;
}

Json::Value infoToJson(const Target& target, const hid::CHidDevice& hid,
                       const device::DeviceInfoRecord& info) {
    Json::Value json(Json::objectValue);
    if (target.slot >= 0) {
        json["slot"] = target.slot;
    }
    json["type"] = deviceTypeName(target.deviceType);
    json["path"] = WideToUtf8(target.path);
    json["vendor"] = hex16(hid.attributes().vendorId);
    json["product"] = hex16(hid.attributes().productId);
    char version[8];
    std::snprintf(version, sizeof version, "V%04x", hid.attributes().versionNumber);
    json["firmwareVersion"] = version;
    json["keyCount"] = info.keyCount();
    json["keyTableBytes"] = static_cast<Json::UInt>(info.keyTableBytes());
    json["macroMemoryUnits"] = info.macroMemoryUnits();
    json["macroMemoryBytes"] = static_cast<Json::UInt>(info.macroMemoryBytes());
    // DPI bytes mean something only for mice; a path of unknown type shows them when set.
    if (isMouse(target.deviceType) || (target.deviceType == 0 && info.dpiSteps() != 0)) {
        json["dpiPerStep"] = info.dpiPerStep();
        json["dpiSteps"] = info.dpiSteps();
        json["lowestDpi"] = info.lowestDpi();
        json["highestDpi"] = info.highestDpi();
    }
    json["record"] = recordHex(info);
    return json;
}

bool succeeded(CliContext& context, const char* what, int result) {
    if (result == device::kResultOk) {
        return true;
    }
    context.err << "morvactl: " << what << " failed: " << device::describeCommandResult(result)
                << " (" << result << ")\n";
    return false;
}

int openChannel(CliContext& context, device::DeviceCommandChannel& channel, const Target& target) {
    if (channel.open(target.path)) {
        channel.setWireless(target.deviceType == hid::kDeviceWirelessMouse);
        return kExitOk;
    }
    const hid::CHidDevice& hid = *channel.hidDevice();
    if (hid.lastOpenResult() == platform::HidOpenResult::kAccessDenied) {
        std::string node;
        std::string instance;
        hid::splitHidPath(target.path, node, instance);
        context.err << platform::LinuxHidBackend::accessDeniedAdvice(node) << "\n";
    } else {
        context.err << "morvactl: cannot open " << WideToUtf8(target.path) << ": "
                    << hid.lastOpenError() << "\n";
    }
    return kExitFailure;
}

} // namespace

int runInfoCommand(CliContext& context, const Arguments& arguments) {
    if (arguments.size() != 1) {
        context.err << "morvactl: info needs one device: a slot number, a device type, a tab "
                       "name or an interface path\n";
        return kExitUsage;
    }
    Target target;
    if (const int resolved = resolveTarget(context, arguments[0], target); resolved != kExitOk) {
        return resolved;
    }
    device::DeviceCommandChannel channel(context.backend);
    if (const int opened = openChannel(context, channel, target); opened != kExitOk) {
        return opened;
    }
    if (!succeeded(context, "Begin transaction", channel.beginTransaction())) {
        return kExitFailure;
    }
    device::DeviceInfoRecord info;
    const bool read = succeeded(context, "read device information", channel.readDeviceInfo(info));
    // The transaction is ended even when the read failed, so the device is not left in it.
    const bool ended = succeeded(context, "End transaction", channel.endTransaction());
    if (!read || !ended) {
        return kExitFailure;
    }
    context.out << compactJson(infoToJson(target, *channel.hidDevice(), info)) << "\n";
    return kExitOk;
}

} // namespace morva::cli
