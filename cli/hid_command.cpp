#include "base/json_file.h"
#include "cli/command_groups.h"
#include "cli/descriptor_input.h"
#include "cli/hid_json.h"
#include "hid/hid_model_tables.h"
#include "hid/hid_path.h"
#include "platform/hid_access_advice.h"

#include <set>

// morvactl hid list | hid descriptor
namespace morva::cli {
namespace {

int supportedRowOf(const hid::HidInterfaceEntry& entry) {
    const auto& table = hid::SupportedInterfaceTable();
    const uint16_t interfaceNumber =
        entry.interfaceNumber < 0 ? 0 : static_cast<uint16_t>(entry.interfaceNumber);
    for (size_t row = 0; row < table.size(); ++row) {
        const hid::InterfaceSlot& r = table[row];
        if (r.vendorId == entry.vendorId && r.productId == entry.productId &&
            r.interfaceNumber == interfaceNumber && r.collectionNumber == entry.collectionNumber &&
            r.usagePage == entry.preparsed.caps.usagePage &&
            r.usage == entry.preparsed.caps.usage) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

// Tries to open the node for reading and writing, as the device objects will.
platform::HidOpenResult accessOf(platform::HidBackend& backend, const std::wstring& path) {
    std::string node;
    std::string instance;
    if (!hid::splitHidPath(path, node, instance)) {
        return platform::HidOpenResult::kNotFound;
    }
    std::unique_ptr<platform::HidChannel> channel;
    return backend.open(node, instance, {true, true, false}, channel);
}

int listInterfaces(CliContext& context) {
    std::vector<hid::HidInterfaceEntry> interfaces;
    std::vector<hid::HidUnreadableNode> unreadable;
    if (!hid::listHidInterfaces(context.backend, interfaces, &unreadable)) {
        context.err << "morvactl: cannot list the HID devices (is /sys mounted?)\n";
        return kExitFailure;
    }
    if (interfaces.empty() && unreadable.empty()) {
        context.err << "morvactl: no HID devices found\n";
    }
    std::set<std::string> deniedNodes;
    for (const auto& entry : interfaces) {
        Json::Value line = interfaceToJson(entry, supportedRowOf(entry));
        const auto access = accessOf(context.backend, entry.path);
        line["access"] = std::string(platform::describeHidOpenResult(access));
        if (access == platform::HidOpenResult::kAccessDenied &&
            deniedNodes.insert(entry.node).second) {
            context.err << platform::hidAccessAdvice(entry.node) << "\n";
        }
        context.out << compactJson(line) << "\n";
    }
    for (const auto& node : unreadable) {
        context.err << "morvactl: " << node.node << ": unreadable report descriptor ("
                    << node.reason << ")\n";
    }
    return kExitOk;
}

int describeDescriptor(CliContext& context, const Arguments& arguments) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!readDescriptorArgument(arguments, bytes, error)) {
        context.err << "morvactl: " << error << "\n";
        return kExitUsage;
    }
    hid::HidReportDescriptor descriptor;
    if (!hid::parseHidReportDescriptor(bytes, descriptor, error)) {
        context.err << "morvactl: bad report descriptor: " << error << "\n";
        return kExitFailure;
    }
    context.out << styledJsonText(descriptorToJson(descriptor));
    return kExitOk;
}

} // namespace

int runHidCommands(CliContext& context, const Arguments& arguments) {
    if (arguments.empty()) {
        context.err << "morvactl: hid needs a command: list or descriptor\n";
        return kExitUsage;
    }
    if (arguments[0] == "list" && arguments.size() == 1) {
        return listInterfaces(context);
    }
    if (arguments[0] == "descriptor") {
        return describeDescriptor(context, Arguments(arguments.begin() + 1, arguments.end()));
    }
    context.err << "morvactl: unknown hid command \"" << arguments[0] << "\"\n";
    return kExitUsage;
}

} // namespace morva::cli
