#include "hid/hid_usage_data.h"

#include "hid/hid_report_fields.h"

#include <algorithm>

namespace morva::hid {
namespace {

HidUsageData buttonEntry(HidReportType type, const HidReportCap& cap,
                         const HidPreparsedData& preparsed) {
    HidUsageData entry;
    entry.isButton = 1;
    entry.usagePage = cap.usagePage;
    entry.reportId = cap.reportId;
    entry.usageMin = cap.usageMin;
    entry.usageMax = cap.usageMax;
    entry.maxUsageListLength = maxUsageListLength(type, cap.usagePage, preparsed);
    entry.usages.assign(entry.maxUsageListLength, 0);
    return entry;
}

void decodeButtons(HidUsageData& entry, std::span<const uint8_t> report,
                   const HidPreparsedData& preparsed) {
    std::fill(entry.usages.begin(), entry.usages.end(), uint16_t{0});
    uint32_t count = 0;
    entry.status =
        getUsages(HidReportType::kInput, entry.usagePage, entry.usages, count, preparsed, report);
    const auto outside = [&](uint16_t usage) {
        return usage < entry.usageMin || usage > entry.usageMax;
    };
    const auto kept = std::remove_if(entry.usages.begin(), entry.usages.begin() + count, outside);
    std::fill(kept, entry.usages.end(), uint16_t{0});
}

bool decodeValue(HidUsageData& entry, std::span<const uint8_t> report,
                 const HidPreparsedData& preparsed) {
    entry.status = getUsageValue(HidReportType::kInput, entry.usagePage, entry.usage, entry.value,
                                 preparsed, report);
    if (entry.status != HIDP_STATUS_SUCCESS) {
        return false;
    }
    entry.status = getScaledUsageValue(HidReportType::kInput, entry.usagePage, entry.usage,
                                       entry.scaledValue, preparsed, report);
    return true;
}

} // namespace

std::vector<HidUsageData> buildUsageDataList(HidReportType type,
                                             const HidPreparsedData& preparsed) {
    const auto& caps = preparsed.of(type);
    std::vector<HidUsageData> list;
    for (const auto& cap : caps.buttonCaps) {
        list.push_back(buttonEntry(type, cap, preparsed));
    }
    for (const auto& cap : caps.valueCaps) {
        // Usages of a range beyond its fields can never be read; they get no entry, so a range
        // declared over a whole usage page does not make tens of thousands of entries.
        const uint32_t last =
            cap.usageMin + std::min(cap.usageCount(), uint32_t{cap.reportCount}) - 1;
        for (uint32_t usage = cap.usageMin; usage <= last; ++usage) {
            HidUsageData entry;
            entry.usagePage = cap.usagePage;
            entry.reportId = cap.reportId;
            entry.usage = static_cast<uint16_t>(usage);
            list.push_back(entry);
        }
    }
    return list;
}

bool decodeInputReport(std::vector<HidUsageData>& list, std::span<const uint8_t> report,
                       const HidPreparsedData& preparsed) {
    if (report.empty()) {
        return true;
    }
    for (auto& entry : list) {
        if (entry.reportId != report[0]) {
            continue;
        }
        if (entry.isButton) {
            decodeButtons(entry, report, preparsed);
        } else if (!decodeValue(entry, report, preparsed)) {
            return false;
        }
        entry.isDataSet = 1;
    }
    return true;
}

} // namespace morva::hid
