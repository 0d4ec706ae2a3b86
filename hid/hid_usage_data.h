#pragma once

#include "hid/hid_report_descriptor.h"
#include "hid/hid_status.h"

#include <cstdint>
#include <span>
#include <vector>

namespace morva::hid {

// One entry of a usage data list: one button capability, or one usage of a value capability.
struct HidUsageData {
    uint8_t isButton = 0;
    uint8_t reserved = 0;
    uint16_t usagePage = 0;
    uint32_t status = HIDP_STATUS_SUCCESS; // of the last decode
    uint32_t reportId = 0;
    uint8_t isDataSet = 0; // 1 once decoded from a report
    // Button entries:
    uint32_t usageMin = 0;
    uint32_t usageMax = 0;
    uint32_t maxUsageListLength = 0;
    std::vector<uint16_t> usages; // maxUsageListLength entries; active usages first, then 0
    // Value entries:
    uint16_t usage = 0;
    uint32_t value = 0;
    int32_t scaledValue = 0;
};

// The data list of one report type: one entry per button capability, then one per value usage
// (a value range contributes one entry per usage, in ascending order).
std::vector<HidUsageData> buildUsageDataList(HidReportType type, const HidPreparsedData& preparsed);

// Fills the entries whose report ID equals the report's first byte. Button entries keep only the
// active usages inside their own range, moved to the front, with 0 after the last one. Returns
// false when a value cannot be read (its status says why); entries without a matching report ID
// stay unchanged.
bool decodeInputReport(std::vector<HidUsageData>& list, std::span<const uint8_t> report,
                       const HidPreparsedData& preparsed);

} // namespace morva::hid
