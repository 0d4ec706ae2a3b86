#include "base/text.h"
#include "cli/command_groups.h"
#include "cli/device_target.h"
#include "cli/hid_json.h"
#include "cli/slot_scan.h"
#include "device/command_channel.h"
#include "hid/hid_path.h"

#include <algorithm>
#include <cstdio>

// morvactl info <device>: Begin transaction, read the device information, End transaction, and
// print what the record says.
namespace morva::cli {
namespace {

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
