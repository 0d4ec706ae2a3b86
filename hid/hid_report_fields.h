#pragma once

#include "hid/hid_report_descriptor.h"

#include <cstdint>
#include <span>

// Reading fields out of one report buffer by usage, as the platform's HID parser offers it.
// Report buffers start with the report-ID byte (0 when the descriptor has no report IDs).
// Results are HIDP_STATUS_* codes.
namespace morva::hid {

// How many usages getUsages can return at most for that report type and usage page
// (0 = every page).
uint32_t maxUsageListLength(HidReportType type, uint16_t usagePage,
                            const HidPreparsedData& preparsed);

// The active button usages of usagePage in the report, in report order: a one-bit variable field
// that is set, or an array slot holding a value inside the logical range. Bits of a variable
// field beyond its declared usages are not reported. At most usages.size() are stored; count gets
// how many were stored.
uint32_t getUsages(HidReportType type, uint16_t usagePage, std::span<uint16_t> usages,
                   uint32_t& count, const HidPreparsedData& preparsed,
                   std::span<const uint8_t> report);

// The raw bits of the value field of that usage in the report.
uint32_t getUsageValue(HidReportType type, uint16_t usagePage, uint16_t usage, uint32_t& value,
                       const HidPreparsedData& preparsed, std::span<const uint8_t> report);

// The value mapped from the logical range onto the physical range (the logical value itself
// when no physical range is given).
uint32_t getScaledUsageValue(HidReportType type, uint16_t usagePage, uint16_t usage, int32_t& value,
                             const HidPreparsedData& preparsed, std::span<const uint8_t> report);

} // namespace morva::hid
