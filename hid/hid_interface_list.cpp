#include "hid/hid_interface_list.h"

#include "hid/hid_path.h"

namespace morva::hid {

bool interfacesOfNode(const platform::HidNodeInfo& node, std::vector<HidInterfaceEntry>& interfaces,
                      std::string& error) {
    HidReportDescriptor descriptor;
    if (!parseHidReportDescriptor(node.reportDescriptor, descriptor, error)) {
        return false;
    }
    const bool numbered = descriptor.collections.size() > 1;
    for (size_t i = 0; i < descriptor.collections.size(); ++i) {
        HidInterfaceEntry entry;
        entry.node = node.node;
        entry.vendorId = node.vendorId;
        entry.productId = node.productId;
        entry.versionNumber = node.versionNumber;
        entry.interfaceNumber = node.interfaceNumber;
        entry.collectionNumber = numbered ? static_cast<uint16_t>(i + 1) : 0;
        entry.path = formatHidPath({node.node, node.instance, node.vendorId, node.productId,
                                    node.interfaceNumber, entry.collectionNumber});
        entry.preparsed = std::move(descriptor.collections[i]);
        interfaces.push_back(std::move(entry));
    }
    return true;
}

bool listHidInterfaces(platform::HidBackend& backend, std::vector<HidInterfaceEntry>& interfaces,
                       std::vector<HidUnreadableNode>* unreadable) {
    interfaces.clear();
    std::vector<platform::HidNodeInfo> nodes;
    if (!backend.enumerate(nodes)) {
        return false;
    }
    for (const auto& node : nodes) {
        std::string error;
        if (!interfacesOfNode(node, interfaces, error) && unreadable != nullptr) {
            unreadable->push_back({node.node, error});
        }
    }
    return true;
}

int collectionIndexOfPath(std::wstring_view path, const HidReportDescriptor& descriptor) {
    const uint16_t number = parseCollectionNumber(path);
    const size_t count = descriptor.collections.size();
    if (number == 0) {
        return count == 1 ? 0 : -1;
    }
    return number <= count ? number - 1 : -1;
}

bool isHidPathPresent(platform::HidBackend& backend, std::wstring_view path) {
    std::string node;
    std::string instance;
    return splitHidPath(path, node, instance) && backend.isPresent(node, instance);
}

} // namespace morva::hid
