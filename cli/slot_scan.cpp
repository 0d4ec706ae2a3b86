#include "cli/slot_scan.h"

#include "base/text.h"
#include "hid/hid_path.h"
#include "platform/hid_access_advice.h"

#include <algorithm>
#include <set>

namespace morva::cli {
namespace {

// A pass run here has no interface thread to tell; the slots are read afterwards.
class QuietScanEvents final : public hid::ScanEvents {
public:
    bool deviceAttached(size_t, std::stop_token) override { return true; }
    bool deviceDetached(size_t, std::stop_token) override { return true; }
    void firstPassDone() override {}
};

constexpr uint16_t kDeviceTypes[] = {hid::kDeviceKeyboard, hid::kDeviceMouse, hid::kDeviceMousePad,
                                     hid::kDeviceWirelessMouse, hid::kDeviceHeadset};

} // namespace

bool scanSlots(CliContext& context, SlotScan& scan) {
    hid::SlotList slots;
    QuietScanEvents events;
    hid::DeviceScanner scanner(slots, context.backend, events);
    if (scanner.runPass() == hid::DeviceScanner::PassResult::kEnumerationFailed) {
        context.err << "morvactl: cannot list the HID devices\n";
        return false;
    }
    scan.slots = slots.snapshot();
    scan.probeFailures = scanner.probeFailures();
    return true;
}

void explainProbeFailures(CliContext& context, const std::vector<hid::ProbeFailure>& failures) {
    std::set<std::string> explained;
    for (const auto& failure : failures) {
        std::string node;
        std::string instance;
        hid::splitHidPath(failure.path, node, instance);
        if (!explained.insert(node).second) {
            continue;
        }
        if (failure.result == platform::HidOpenResult::kAccessDenied) {
            context.err << platform::hidAccessAdvice(node) << "\n";
        } else {
            context.err << "morvactl: " << node << ": " << failure.reason << "\n";
        }
    }
}

const char* deviceTypeName(uint16_t type) {
    switch (type) {
    case hid::kDeviceKeyboard:
        return "keyboard";
    case hid::kDeviceMouse:
        return "mouse";
    case hid::kDeviceMousePad:
        return "mouse pad";
    case hid::kDeviceWirelessMouse:
        return "wireless mouse";
    case hid::kDeviceHeadset:
        return "headset";
    default:
        return "unknown";
    }
}

uint16_t deviceTypeOfName(const std::string& name) {
    std::string normal = toLowerAscii(name);
    std::replace_if(
        normal.begin(), normal.end(), [](char c) { return c == '-' || c == '_'; }, ' ');
    for (uint16_t type : kDeviceTypes) {
        std::string spaced = deviceTypeName(type);
        std::string joined = spaced;
        std::erase(joined, ' ');
        if (normal == spaced || normal == joined) {
            return type;
        }
    }
    return 0;
}

} // namespace morva::cli
