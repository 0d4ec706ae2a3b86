#include "cli/hid_json.h"

#include "base/text.h"

#include <cstdio>
#include <json/writer.h>

namespace morva::cli {
namespace {

Json::Value capToJson(const hid::HidReportCap& cap) {
    Json::Value json(Json::objectValue);
    json["reportId"] = cap.reportId;
    json["usagePage"] = hex16(cap.usagePage);
    if (cap.isRange) {
        json["usageMin"] = hex16(cap.usageMin);
        json["usageMax"] = hex16(cap.usageMax);
    } else {
        json["usage"] = hex16(cap.usageMin);
    }
    json["kind"] = cap.isArray ? "array" : "variable";
    json["relative"] = !cap.isAbsolute;
    if ((cap.bitField & 0x01) != 0) {
        json["constant"] = true; // a constant field that names a usage
    }
    json["bitSize"] = cap.bitSize;
    json["reportCount"] = cap.reportCount;
    json["bytePosition"] = cap.bytePosition;
    json["bitPosition"] = cap.bitPosition;
    json["linkCollection"] = cap.linkCollection;
    if (!cap.isButton || cap.isArray) {
        json["logicalMin"] = cap.logicalMin;
        json["logicalMax"] = cap.logicalMax;
    }
    if (!cap.isButton) {
        json["physicalMin"] = cap.physicalMin;
        json["physicalMax"] = cap.physicalMax;
        json["hasNull"] = cap.hasNull;
    }
    return json;
}

Json::Value typeToJson(const hid::HidReportTypeCaps& caps) {
    Json::Value json(Json::objectValue);
    Json::Value reports(Json::arrayValue);
    for (const auto& report : caps.reports) {
        Json::Value entry(Json::objectValue);
        entry["reportId"] = report.reportId;
        entry["sizeBits"] = report.sizeBits;
        reports.append(entry);
    }
    json["reports"] = reports;
    Json::Value buttons(Json::arrayValue);
    for (const auto& cap : caps.buttonCaps) {
        buttons.append(capToJson(cap));
    }
    json["buttonCaps"] = buttons;
    Json::Value values(Json::arrayValue);
    for (const auto& cap : caps.valueCaps) {
        values.append(capToJson(cap));
    }
    json["valueCaps"] = values;
    return json;
}

} // namespace

std::string hex16(uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

Json::Value collectionToJson(const hid::HidPreparsedData& collection, size_t index) {
    Json::Value json(Json::objectValue);
    json["index"] = static_cast<Json::UInt>(index);
    json["usagePage"] = hex16(collection.caps.usagePage);
    json["usage"] = hex16(collection.caps.usage);
    json["collectionType"] = collection.collectionType;
    json["inputReportByteLength"] = collection.caps.inputReportByteLength;
    json["outputReportByteLength"] = collection.caps.outputReportByteLength;
    json["featureReportByteLength"] = collection.caps.featureReportByteLength;
    json["linkCollectionNodes"] = collection.caps.numberLinkCollectionNodes;
    json["input"] = typeToJson(collection.of(hid::HidReportType::kInput));
    json["output"] = typeToJson(collection.of(hid::HidReportType::kOutput));
    json["feature"] = typeToJson(collection.of(hid::HidReportType::kFeature));
    return json;
}

Json::Value descriptorToJson(const hid::HidReportDescriptor& descriptor) {
    Json::Value json(Json::objectValue);
    json["usesReportIds"] = descriptor.usesReportIds;
    Json::Value collections(Json::arrayValue);
    for (size_t i = 0; i < descriptor.collections.size(); ++i) {
        collections.append(collectionToJson(descriptor.collections[i], i));
    }
    json["collections"] = collections;
    return json;
}

Json::Value interfaceToJson(const hid::HidInterfaceEntry& entry, int supportedRow) {
    Json::Value json(Json::objectValue);
    json["path"] = WideToUtf8(entry.path);
    json["vendor"] = hex16(entry.vendorId);
    json["product"] = hex16(entry.productId);
    json["interface"] = entry.interfaceNumber;
    json["collection"] = entry.collectionNumber;
    json["usagePage"] = hex16(entry.preparsed.caps.usagePage);
    json["usage"] = hex16(entry.preparsed.caps.usage);
    json["inputReportByteLength"] = entry.preparsed.caps.inputReportByteLength;
    json["outputReportByteLength"] = entry.preparsed.caps.outputReportByteLength;
    json["featureReportByteLength"] = entry.preparsed.caps.featureReportByteLength;
    json["supported"] = supportedRow >= 0;
    if (supportedRow >= 0) {
        json["supportedRow"] = supportedRow;
    }
    return json;
}

std::string compactJson(const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    return Json::writeString(builder, value);
}

} // namespace morva::cli
