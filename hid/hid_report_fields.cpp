#include "hid/hid_report_fields.h"

#include "hid/hid_status.h"

#include <algorithm>
#include <optional>

namespace morva::hid {
namespace {

std::optional<uint32_t> extractBits(std::span<const uint8_t> report, uint32_t payloadBitOffset,
                                    uint32_t bitSize) {
    const uint64_t first = 8 + static_cast<uint64_t>(payloadBitOffset); // after the ID byte
    if (bitSize == 0 || bitSize > 32 ||
        first + bitSize > static_cast<uint64_t>(report.size()) * 8) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (uint32_t i = 0; i < bitSize; ++i) {
        const uint64_t bit = first + i;
        if ((report[bit / 8] >> (bit % 8)) & 1u) {
            value |= uint64_t{1} << i;
        }
    }
    return static_cast<uint32_t>(value);
}

int32_t signExtend(uint32_t raw, uint32_t bitSize) {
    if (bitSize >= 32) {
        return static_cast<int32_t>(raw);
    }
    const uint32_t sign = 1u << (bitSize - 1);
    return static_cast<int32_t>((raw ^ sign)) - static_cast<int32_t>(sign);
}

bool pageMatches(uint16_t wanted, uint16_t page) {
    return wanted == 0 || wanted == page;
}

uint32_t reportIdOf(std::span<const uint8_t> report) {
    return report.empty() ? 0 : report[0];
}

// Adds the usages that one button cap finds active. False when the report is too short.
bool collectActive(const HidReportCap& cap, std::span<const uint8_t> report,
                   std::vector<uint16_t>& active) {
    for (uint32_t field = 0; field < cap.reportCount; ++field) {
        const auto raw = extractBits(report, cap.bitOffset() + field * cap.bitSize, cap.bitSize);
        if (!raw) {
            return false;
        }
        if (!cap.isArray) {
            if (*raw != 0 && field < cap.usageCount()) {
                active.push_back(static_cast<uint16_t>(cap.usageMin + field));
            }
            continue;
        }
        const int64_t value =
            cap.logicalMin < 0 ? signExtend(*raw, cap.bitSize) : static_cast<int64_t>(*raw);
        if (value < cap.logicalMin || value > cap.logicalMax) {
            continue; // an empty slot
        }
        const int64_t index = value - cap.logicalMin - cap.arrayIndexBase;
        if (index < 0 || index >= static_cast<int64_t>(cap.usageCount())) {
            continue; // the value names a usage of another cap of the same field
        }
        const auto usage = static_cast<uint16_t>(cap.usageMin + index);
        if (usage != 0) {
            active.push_back(usage);
        }
    }
    return true;
}

const HidReportCap* findValueCap(HidReportType type, uint16_t usagePage, uint16_t usage,
                                 uint32_t reportId, const HidPreparsedData& preparsed,
                                 bool& otherReport) {
    otherReport = false;
    for (const auto& cap : preparsed.of(type).valueCaps) {
        if (cap.usagePage != usagePage || usage < cap.usageMin || usage > cap.usageMax) {
            continue;
        }
        if (cap.reportId == reportId) {
            return &cap;
        }
        otherReport = true;
    }
    return nullptr;
}

} // namespace

uint32_t maxUsageListLength(HidReportType type, uint16_t usagePage,
                            const HidPreparsedData& preparsed) {
    uint32_t total = 0;
    for (const auto& cap : preparsed.of(type).buttonCaps) {
        if (!pageMatches(usagePage, cap.usagePage)) {
            continue;
        }
        total +=
            cap.isArray ? cap.reportCount : std::min<uint32_t>(cap.reportCount, cap.usageCount());
    }
    return total;
}

uint32_t getUsages(HidReportType type, uint16_t usagePage, std::span<uint16_t> usages,
                   uint32_t& count, const HidPreparsedData& preparsed,
                   std::span<const uint8_t> report) {
    count = 0;
    const uint32_t reportId = reportIdOf(report);
    std::vector<uint16_t> active;
    bool pageFound = false;
    bool reportFound = false;
    for (const auto& cap : preparsed.of(type).buttonCaps) {
        if (!pageMatches(usagePage, cap.usagePage)) {
            continue;
        }
        pageFound = true;
        if (cap.reportId != reportId) {
            continue;
        }
        reportFound = true;
        if (!collectActive(cap, report, active)) {
            return HIDP_STATUS_INVALID_REPORT_LENGTH;
        }
    }
    if (!pageFound) {
        return HIDP_STATUS_USAGE_NOT_FOUND;
    }
    if (!reportFound) {
        return HIDP_STATUS_INCOMPATIBLE_REPORT_ID;
    }
    count = static_cast<uint32_t>(std::min(active.size(), usages.size()));
    std::copy_n(active.begin(), count, usages.begin());
    return active.size() > usages.size() ? HIDP_STATUS_BUFFER_TOO_SMALL : HIDP_STATUS_SUCCESS;
}

uint32_t getUsageValue(HidReportType type, uint16_t usagePage, uint16_t usage, uint32_t& value,
                       const HidPreparsedData& preparsed, std::span<const uint8_t> report) {
    value = 0;
    bool otherReport = false;
    const HidReportCap* cap =
        findValueCap(type, usagePage, usage, reportIdOf(report), preparsed, otherReport);
    if (cap == nullptr) {
        return otherReport ? HIDP_STATUS_INCOMPATIBLE_REPORT_ID : HIDP_STATUS_USAGE_NOT_FOUND;
    }
    // In a range each usage has its own field; a value array reads as its first field.
    const uint32_t field = cap->isRange ? static_cast<uint32_t>(usage - cap->usageMin) : 0;
    const auto raw = extractBits(report, cap->bitOffset() + field * cap->bitSize, cap->bitSize);
    if (!raw) {
        return HIDP_STATUS_INVALID_REPORT_LENGTH;
    }
    value = *raw;
    return HIDP_STATUS_SUCCESS;
}

uint32_t getScaledUsageValue(HidReportType type, uint16_t usagePage, uint16_t usage, int32_t& value,
                             const HidPreparsedData& preparsed, std::span<const uint8_t> report) {
    value = 0;
    uint32_t raw = 0;
    const uint32_t status = getUsageValue(type, usagePage, usage, raw, preparsed, report);
    if (status != HIDP_STATUS_SUCCESS) {
        return status;
    }
    bool otherReport = false;
    const HidReportCap& cap =
        *findValueCap(type, usagePage, usage, reportIdOf(report), preparsed, otherReport);
    if (cap.logicalMin >= cap.logicalMax) {
        return HIDP_STATUS_BAD_LOG_PHY_VALUES;
    }
    const int64_t logical =
        cap.logicalMin < 0 ? signExtend(raw, cap.bitSize) : static_cast<int64_t>(raw);
    if (logical < cap.logicalMin || logical > cap.logicalMax) {
        return cap.hasNull ? HIDP_STATUS_NULL : HIDP_STATUS_VALUE_OUT_OF_RANGE;
    }
    if (cap.physicalMin == 0 && cap.physicalMax == 0) {
        value = static_cast<int32_t>(logical);
        return HIDP_STATUS_SUCCESS;
    }
    if (cap.physicalMin >= cap.physicalMax) {
        return HIDP_STATUS_BAD_LOG_PHY_VALUES;
    }
    const int64_t span = static_cast<int64_t>(cap.physicalMax) - cap.physicalMin;
    const int64_t logicalSpan = static_cast<int64_t>(cap.logicalMax) - cap.logicalMin;
    value = static_cast<int32_t>(cap.physicalMin + (logical - cap.logicalMin) * span / logicalSpan);
    return HIDP_STATUS_SUCCESS;
}

} // namespace morva::hid
