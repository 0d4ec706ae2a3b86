#include "cli/device_target.h"

#include "base/text.h"
#include "cli/slot_scan.h"
#include "hid/hid_path.h"
#include "platform/hid_access_advice.h"

#include <algorithm>

namespace morva::cli {
namespace {

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

} // namespace

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

int resolveTabTarget(CliContext& context, const hid::DeviceTabRow& tab, Target& target) {
    SlotScan scan;
    if (!scanSlots(context, scan)) {
        return kExitFailure;
    }
    return targetOfTab(context, scan, tab, target);
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
        context.err << platform::hidAccessAdvice(node) << "\n";
    } else {
        context.err << "morvactl: cannot open " << WideToUtf8(target.path) << ": "
                    << hid.lastOpenError() << "\n";
    }
    return kExitFailure;
}

} // namespace morva::cli
