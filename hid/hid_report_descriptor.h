#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The parse of a HID report descriptor, split into top-level collections as the platform lists
// them (one interface per top-level collection). Lengths count the report-ID byte even for
// descriptors without report IDs, and byte positions start at 1 after that byte, so report
// buffers look the same whether a device uses report IDs or not.
namespace morva::hid {

enum class HidReportType : uint8_t { kInput = 0, kOutput = 1, kFeature = 2 };
inline constexpr size_t kHidReportTypeCount = 3;

// One button or value capability: one Main item, or the part of it that one usage (or usage
// range) of its usage list covers.
struct HidReportCap {
    uint8_t reportId = 0;
    uint16_t usagePage = 0;
    bool isButton = false;
    bool isRange = false;
    bool isAbsolute = true;
    bool isArray = false;
    bool hasNull = false;
    uint16_t bitField = 0; // the Main item's data bits (constant, variable, relative, ...)
    uint16_t bitSize = 0;
    uint16_t reportCount = 0;
    uint16_t bytePosition = 0; // 1 = first byte after the report ID
    uint8_t bitPosition = 0;
    uint16_t linkCollection = 0; // 0 = the top-level collection itself
    uint16_t linkUsagePage = 0;
    uint16_t linkUsage = 0;
    uint16_t usageMin = 0; // the usage itself when not a range
    uint16_t usageMax = 0;
    uint16_t dataIndexMin = 0;
    uint16_t dataIndexMax = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    uint32_t units = 0;
    uint32_t unitsExponent = 0;
    // For array items whose usages are spread over several caps: index of this cap's first usage
    // among all usages of the item.
    uint16_t arrayIndexBase = 0;

    uint32_t usageCount() const { return static_cast<uint32_t>(usageMax - usageMin) + 1; }
    uint32_t bitOffset() const { return (bytePosition - 1u) * 8u + bitPosition; }
};

// The capability record of one top-level collection.
struct HidCaps {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t inputReportByteLength = 0;
    uint16_t outputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;
    uint16_t numberLinkCollectionNodes = 0;
    uint16_t numberInputButtonCaps = 0;
    uint16_t numberInputValueCaps = 0;
    uint16_t numberInputDataIndices = 0;
    uint16_t numberOutputButtonCaps = 0;
    uint16_t numberOutputValueCaps = 0;
    uint16_t numberOutputDataIndices = 0;
    uint16_t numberFeatureButtonCaps = 0;
    uint16_t numberFeatureValueCaps = 0;
    uint16_t numberFeatureDataIndices = 0;
};

struct HidReportLayout {
    uint8_t reportId = 0;
    uint32_t sizeBits = 0; // payload only, without the report-ID byte
};

struct HidReportTypeCaps {
    std::vector<HidReportCap> buttonCaps;
    std::vector<HidReportCap> valueCaps;
    std::vector<HidReportLayout> reports; // in order of first appearance
};

// Everything the field accessors and the decoder need about one top-level collection: the
// stand-in for the platform's "preparsed data".
struct HidPreparsedData {
    HidCaps caps;
    uint16_t collectionType = 0;
    bool usesReportIds = false; // of the whole descriptor
    std::array<HidReportTypeCaps, kHidReportTypeCount> types;

    const HidReportTypeCaps& of(HidReportType type) const {
        return types[static_cast<size_t>(type)];
    }
    HidReportTypeCaps& of(HidReportType type) { return types[static_cast<size_t>(type)]; }
    uint16_t reportByteLength(HidReportType type) const;
    // True when reportId is one of this collection's reports of that type.
    bool ownsReport(HidReportType type, uint8_t reportId) const;
};

struct HidReportDescriptor {
    std::vector<HidPreparsedData> collections;
    bool usesReportIds = false;
};

// Parses a report descriptor. On a malformed descriptor (longer than the platform allows,
// truncated item, unbalanced collections, absurd sizes, main items outside a collection, ...)
// returns false with a reason in error.
bool parseHidReportDescriptor(std::span<const uint8_t> bytes, HidReportDescriptor& result,
                              std::string& error);

} // namespace morva::hid
