#include "update/check_date.h"

#include "base/json_file.h"

namespace morva::update {

std::string checkDateText(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return std::to_string(local.tm_year + 1900) + "-" + std::to_string(local.tm_mon + 1) + "-" +
           std::to_string(local.tm_mday);
}

std::string readCheckDate(const std::filesystem::path& file, const std::string& today) {
    const Json::Value document = readjsonFile(file);
    const Json::Value& last = document.isObject() ? document["updatelasttime"] : Json::Value();
    if (last.isObject() && last["value"].isString()) {
        return last["value"].asString();
    }
    writeCheckDate(file, today);
    return today;
}

bool writeCheckDate(const std::filesystem::path& file, const std::string& date) {
    Json::Value document = readjsonFile(file);
    if (!document.isObject()) {
        document = Json::Value(Json::objectValue);
    }
    if (!document["updatelasttime"].isObject()) {
        document["updatelasttime"] = Json::Value(Json::objectValue);
    }
    document["updatelasttime"]["value"] = date;
    return writejsonFile(file, document);
}

} // namespace morva::update
