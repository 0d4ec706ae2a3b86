#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Interface paths. A path names one top-level collection of one HID node and carries the
// identifiers the discovery code matches on:
//   <node>#vid_0c45&pid_8501&mi_01&col04#<instance>
// "&mi_" is left out for devices without a USB interface number and "&col" when the node has a
// single top-level collection (collection number 0).
namespace morva::hid {

uint16_t parseVendorId(std::wstring_view path);
uint16_t parseProductId(std::wstring_view path);
uint16_t parseInterfaceNumber(std::wstring_view path);
uint16_t parseCollectionNumber(std::wstring_view path);

struct HidPathParts {
    std::string node;
    std::string instance;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    int interfaceNumber = -1;      // -1: no "&mi_" part
    uint16_t collectionNumber = 0; // 0: no "&col" part
};

std::wstring formatHidPath(const HidPathParts& parts);
// Node and instance of a path made by formatHidPath; false for any other text.
bool splitHidPath(std::wstring_view path, std::string& node, std::string& instance);

} // namespace morva::hid
