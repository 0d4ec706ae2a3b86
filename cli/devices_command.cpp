#include "base/text.h"
#include "cli/command_groups.h"
#include "cli/hid_json.h"
#include "hid/device_scanner.h"
#include "hid/hid_path.h"
#include "platform/hid_linux_backend.h"

#include <set>

// morvactl devices: one discovery pass, then every slot and whether it is assigned.
namespace morva::cli {
namespace {

// A pass run here has no interface thread to tell; the slots are read afterwards.
class QuietScanEvents final : public ScanEvents {
public:
    bool deviceAttached(size_t, std::stop_token) override { return true; }
    bool deviceDetached(size_t, std::stop_token) override { return true; }
    void firstPassDone() override {}
};

Json::Value slotToJson(size_t index, const InterfaceSlot& slot) {
    Json::Value json(Json::objectValue);
    json["slot"] = static_cast<Json::UInt>(index);
    json["type"] = deviceTypeName(slot.deviceType);
    json["role"] = slot.role == kRoleCompanion ? "companion" : "primary";
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

void explainProbeFailures(CliContext& context, const std::vector<ProbeFailure>& failures) {
    std::set<std::string> explained;
    for (const auto& failure : failures) {
        std::string node;
        std::string instance;
        splitHidPath(failure.path, node, instance);
        if (!explained.insert(node).second) {
            continue;
        }
        if (failure.result == platform::HidOpenResult::kAccessDenied) {
            context.err << platform::LinuxHidBackend::accessDeniedAdvice(node) << "\n";
        } else {
            context.err << "morvactl: " << node << ": " << failure.reason << "\n";
        }
    }
}

} // namespace

int runDevicesCommand(CliContext& context, const Arguments& arguments) {
    if (!arguments.empty()) {
        context.err << "morvactl: devices takes no arguments\n";
        return kExitUsage;
    }
    SlotList slots;
    QuietScanEvents events;
    DeviceScanner scanner(slots, context.backend, events);
    if (scanner.runPass() == DeviceScanner::PassResult::kEnumerationFailed) {
        context.err << "morvactl: cannot list the HID devices\n";
        return kExitFailure;
    }
    const auto all = slots.snapshot();
    for (size_t i = 0; i < all.size(); ++i) {
        context.out << compactJson(slotToJson(i, all[i])) << "\n";
    }
    explainProbeFailures(context, scanner.probeFailures());
    return kExitOk;
}

} // namespace morva::cli
