#pragma once

#include "hid/hid_report_descriptor.h"
#include "platform/hid_backend.h"

#include <string>
#include <vector>

// The HID interfaces of the machine as the discovery code sees them: one entry per top-level
// collection of every HID node, in node order and then in descriptor order.
namespace morva::hid {

struct HidInterfaceEntry {
    std::wstring path;
    std::string node;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
    int interfaceNumber = -1;
    uint16_t collectionNumber = 0; // 0 when the node has a single top-level collection
    HidPreparsedData preparsed;
};

struct HidUnreadableNode {
    std::string node;
    std::string reason;
};

// False when the platform's list cannot be read. A node whose descriptor does not parse is left
// out and reported in unreadable (when given).
bool listHidInterfaces(platform::HidBackend& backend, std::vector<HidInterfaceEntry>& interfaces,
                       std::vector<HidUnreadableNode>* unreadable = nullptr);

// The collections of one node, each with its path.
bool interfacesOfNode(const platform::HidNodeInfo& node, std::vector<HidInterfaceEntry>& interfaces,
                      std::string& error);

// Which top-level collection of a parsed descriptor a path names; -1 when there is none.
int collectionIndexOfPath(std::wstring_view path, const HidReportDescriptor& descriptor);

// The removal check: is the interface of that path still present? Needs no access rights.
bool isHidPathPresent(platform::HidBackend& backend, std::wstring_view path);

} // namespace morva::hid
