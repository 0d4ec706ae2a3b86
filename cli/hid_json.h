#pragma once

#include "hid/hid_interface_list.h"
#include "hid/hid_report_descriptor.h"

#include <json/value.h>
#include <string>

// JSON views of HID facts for morvactl's output.
namespace morva::cli {

std::string hex16(uint16_t value); // "0x0C45"

Json::Value collectionToJson(const hid::HidPreparsedData& collection, size_t index);
Json::Value descriptorToJson(const hid::HidReportDescriptor& descriptor);
// One line of "hid list": the interface, its report lengths and the supported row it matches
// (-1 for none).
Json::Value interfaceToJson(const hid::HidInterfaceEntry& entry, int supportedRow);
// One JSON text on one line.
std::string compactJson(const Json::Value& value);

} // namespace morva::cli
