#include "profiles/hs6533_profiledata.h"

#include "base/json_access.h"
#include "base/json_edit.h"
#include "base/text.h"

#include <optional>

namespace morva::profiles {
namespace {

using json::intMember;
using json::member;

// The "EQHzValueInfo" row of an equaliser type; none for the custom type.
std::optional<Json::ArrayIndex> presetRow(int32_t eqType) {
    if (eqType == CHs6533Profiledata::kCustomEqType) {
        return std::nullopt;
    }
    if (eqType >= 1 && eqType <= 12) {
        return static_cast<Json::ArrayIndex>(eqType);
    }
    return 1;
}

// Reads row `row` of a table of band rows; a row that is missing is written as zeros.
std::vector<int32_t> readBandRow(Json::Value& entry, const char* table, Json::ArrayIndex row) {
    std::vector<int32_t> values;
    values.reserve(CHs6533Profiledata::kBandCount);
    const Json::Value& stored = json::element(member(entry, table), row);
    if (stored.isArray()) {
        for (Json::ArrayIndex b = 0; b < CHs6533Profiledata::kBandCount; ++b) {
            values.push_back(intMember(json::element(stored, b), "value"));
        }
        return values;
    }
    Json::Value& written = json::arrayElement(json::arrayMember(entry, table), row);
    json::makeArray(written);
    for (Json::ArrayIndex b = 0; b < CHs6533Profiledata::kBandCount; ++b) {
        json::setMember(json::arrayElement(written, b), "value", 0);
        values.push_back(0);
    }
    return values;
}

void writeBandRow(Json::Value& entry, const char* table, Json::ArrayIndex row,
                  const CHs6533Profiledata::BandValues& values) {
    Json::Value& written = json::arrayElement(json::arrayMember(entry, table), row);
    for (Json::ArrayIndex b = 0; b < CHs6533Profiledata::kBandCount; ++b) {
        json::setMember(json::arrayElement(written, b), "value", values[b]);
    }
}

} // namespace

HeadsetSystemRecord CHs6533Profiledata::ReadHeadsetSystem() {
    const Json::Value& stages = member(DeviceEntry(), "SystemSetStages");
    system_.magicEnable = intMember(stages, "MagicEnable");
    system_.magicType = intMember(stages, "MagicType");
    system_.eqType = intMember(stages, "EqType");
    system_.customEqSelectIndex = intMember(stages, "CustomEqSeletIndex");
    system_.micInSelect = intMember(stages, "MicInSelect");
    system_.micInValue = intMember(stages, "MicInValue");
    system_.micMonitorSelect = intMember(stages, "MicMoniterSelect");
    system_.micMonitorValue = intMember(stages, "MicMoniterValue");
    return system_;
}

void CHs6533Profiledata::WriteHeadsetSystem(const HeadsetSystemRecord& record) {
    system_ = record;
    Json::Value& stages = json::objectMember(entry(), "SystemSetStages");
    stages["MagicEnable"] = record.magicEnable;
    stages["MagicType"] = record.magicType;
    stages["EqType"] = record.eqType;
    stages["CustomEqSeletIndex"] = record.customEqSelectIndex;
    stages["MicInSelect"] = record.micInSelect;
    stages["MicInValue"] = record.micInValue;
    stages["MicMoniterSelect"] = record.micMonitorSelect;
    stages["MicMoniterValue"] = record.micMonitorValue;
}

std::vector<int32_t> CHs6533Profiledata::ReadEqValues(int32_t eqType) {
    const std::optional<Json::ArrayIndex> row = presetRow(eqType);
    if (!row) {
        return {};
    }
    return readBandRow(entry(), "EQHzValueInfo", *row);
}

void CHs6533Profiledata::WriteEqValues(int32_t eqType, const BandValues& values) {
    if (const std::optional<Json::ArrayIndex> row = presetRow(eqType)) {
        writeBandRow(entry(), "EQHzValueInfo", *row, values);
    }
}

std::vector<int32_t> CHs6533Profiledata::ReadCustomEqValues(Json::ArrayIndex index) {
    return readBandRow(entry(), "CustomEQHzValueInfo", index);
}

void CHs6533Profiledata::WriteCustomEqValues(Json::ArrayIndex index, const BandValues& values) {
    writeBandRow(entry(), "CustomEQHzValueInfo", index, values);
}

void CHs6533Profiledata::RemoveCustomEqValues(Json::ArrayIndex index) {
    if (!entry().isObject() || !entry()["CustomEQHzValueInfo"].isArray()) {
        return;
    }
    Json::Value& rows = entry()["CustomEQHzValueInfo"];
    if (index < rows.size()) {
        Json::Value removed;
        rows.removeIndex(index, &removed);
    }
}

std::vector<std::wstring> CHs6533Profiledata::ReadCustomEqNames() {
    const Json::Value& list = member(DeviceEntry(), "CustomEQNameInfo");
    std::vector<std::wstring> names;
    if (list.isArray()) {
        for (const Json::Value& name : list) {
            names.push_back(Utf8ToWide(json::toString(member(name, "Name"))));
        }
    }
    return names;
}

void CHs6533Profiledata::WriteCustomEqNames(const std::vector<std::wstring>& names) {
    Json::Value list(Json::arrayValue);
    for (const std::wstring& name : names) {
        Json::Value item(Json::objectValue);
        item["Name"] = WideToUtf8(name);
        list.append(std::move(item));
    }
    json::setMember(entry(), "CustomEQNameInfo", std::move(list));
}

} // namespace morva::profiles
