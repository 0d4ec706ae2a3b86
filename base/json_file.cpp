#include "base/json_file.h"

#include "base/trace.h"

#include <exception>
#include <json/reader.h>
#include <json/writer.h>

namespace morva {
namespace {

JsonReadStatus readStatusOf(FileReadStatus status) {
    switch (status) {
    case FileReadStatus::Ok:
        return JsonReadStatus::Ok;
    case FileReadStatus::Missing:
        return JsonReadStatus::Missing;
    default:
        return JsonReadStatus::Unreadable;
    }
}

} // namespace

bool parseJsonText(std::string_view text, Json::Value& value, std::string& problem) {
    Json::Reader reader(Json::Features::all());
    try {
        if (reader.parse(text.data(), text.data() + text.size(), value, true)) {
            return true;
        }
        problem = reader.getFormattedErrorMessages();
    } catch (const std::exception& error) {
        // The reader throws on documents nested deeper than its limit.
        problem = error.what();
    }
    value = Json::Value();
    return false;
}

Json::Value parseJsonText(std::string_view text) {
    Json::Value value;
    std::string problem;
    parseJsonText(text, value, problem);
    return value;
}

JsonReadResult readJsonDocument(const std::filesystem::path& path) {
    const FileReadResult file = readRegularFile(path);
    trace("readjsonFile 错误吗：：%d\n", file.ok() ? 0 : static_cast<int>(file.status));
    JsonReadResult result;
    result.status = readStatusOf(file.status);
    if (!file.ok()) {
        return result;
    }
    if (file.content.empty()) {
        trace("%s\n", path.string().c_str());
        result.status = JsonReadStatus::NotJson;
        return result;
    }
    std::string problem;
    if (!parseJsonText(file.content, result.value, problem)) {
        trace("readjsonFile: %s is not JSON: %s\n", path.string().c_str(), problem.c_str());
        result.status = JsonReadStatus::NotJson;
    }
    return result;
}

Json::Value readjsonFile(const std::filesystem::path& path) {
    return readJsonDocument(path).value;
}

std::string styledJsonText(const Json::Value& value) {
    Json::StyledWriter writer;
    return writer.write(value) + "\n";
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content) {
    return replaceFileAtomically(path, content) == FileWriteStatus::Ok;
}

FileWriteStatus writeJsonDocument(const std::filesystem::path& path, const Json::Value& value) {
    return replaceFileAtomically(path, styledJsonText(value));
}

FileWriteStatus createJsonDocument(const std::filesystem::path& path, const Json::Value& value) {
    return createFileAtomically(path, styledJsonText(value));
}

bool writejsonFile(const std::filesystem::path& path, const Json::Value& value) {
    return writeJsonDocument(path, value) == FileWriteStatus::Ok;
}

} // namespace morva
