// A HID report descriptor and a report from a device: the first two bytes give the descriptor's
// length (little-endian), the descriptor follows and the rest is one report. Every collection
// of a descriptor that parses decodes the report in every way the program reads reports.

#include "hid/hid_report_descriptor.h"
#include "hid/hid_report_fields.h"
#include "hid/hid_usage_data.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace morva::hid;

constexpr HidReportType kTypes[] = {HidReportType::kInput, HidReportType::kOutput,
                                    HidReportType::kFeature};

void readFields(HidReportType type, const HidPreparsedData& collection,
                std::span<const uint8_t> report) {
    // The caller's buffer may be shorter than the longest list: usages beyond it are dropped.
    const uint32_t longest = std::min<uint32_t>(maxUsageListLength(type, 0, collection), 4096);
    std::vector<uint16_t> usages(longest);
    uint32_t count = 0;
    getUsages(type, 0, usages, count, collection, report);
    for (const HidReportCap& cap : collection.of(type).valueCaps) {
        uint32_t raw = 0;
        int32_t scaled = 0;
        getUsageValue(type, cap.usagePage, cap.usageMin, raw, collection, report);
        getScaledUsageValue(type, cap.usagePage, cap.usageMin, scaled, collection, report);
    }
    for (const HidReportCap& cap : collection.of(type).buttonCaps) {
        getUsages(type, cap.usagePage, usages, count, collection, report);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const size_t descriptorLength = std::min<size_t>(data[0] | data[1] << 8, size - 2);
    const std::span<const uint8_t> descriptor(data + 2, descriptorLength);
    const std::span<const uint8_t> report(data + 2 + descriptorLength, size - 2 - descriptorLength);
    HidReportDescriptor parsed;
    std::string error;
    if (!parseHidReportDescriptor(descriptor, parsed, error)) {
        return 0;
    }
    for (const HidPreparsedData& collection : parsed.collections) {
        for (const HidReportType type : kTypes) {
            readFields(type, collection, report);
            std::vector<HidUsageData> list = buildUsageDataList(type, collection);
            decodeInputReport(list, report, collection);
        }
    }
    return 0;
}
