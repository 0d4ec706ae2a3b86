#include "base/text.h"
#include "cli/command_groups.h"
#include "cli/hid_json.h"
#include "cli/slot_scan.h"
#include "hid/device_model_catalog.h"

// morvactl devices: one discovery pass, then every slot and whether it is assigned.
namespace morva::cli {
namespace {

Json::Value slotToJson(size_t index, const hid::InterfaceSlot& slot) {
    Json::Value json(Json::objectValue);
    json["slot"] = static_cast<Json::UInt>(index);
    const hid::DeviceModelCatalog& models = hid::installedDeviceModels();
    if (index < models.supportedInterfaces().size()) {
        const hid::DeviceModel& model = models.models()[models.modelOfInterface(index)];
        json["model"] = model.tabName;
        json["name"] = model.displayName("en_US");
    }
    json["type"] = deviceTypeName(slot.deviceType);
    json["role"] = slot.role == hid::kRoleCompanion ? "companion" : "primary";
    json["vendor"] = hex16(slot.vendorId);
    json["product"] = hex16(slot.productId);
    json["interface"] = slot.interfaceNumber;
    json["collection"] = slot.collectionNumber;
    json["assigned"] = slot.connected != 0;
    if (slot.connected != 0) {
        json["path"] = WideToUtf8(slot.path);
    }
    return json;
}

} // namespace

int runDevicesCommand(CliContext& context, const Arguments& arguments) {
    if (!arguments.empty()) {
        context.err << "morvactl: devices takes no arguments\n";
        return kExitUsage;
    }
    SlotScan scan;
    if (!scanSlots(context, scan)) {
        return kExitFailure;
    }
    for (size_t i = 0; i < scan.slots.size(); ++i) {
        context.out << compactJson(slotToJson(i, scan.slots[i])) << "\n";
    }
    explainProbeFailures(context, scan.probeFailures);
    return kExitOk;
}

} // namespace morva::cli
