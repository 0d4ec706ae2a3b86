#pragma once

#include "base/file_io.h"

#include <filesystem>
#include <json/value.h>
#include <string>
#include <string_view>

namespace morva {

enum class JsonReadStatus {
    Ok,
    Missing,    // no file
    Unreadable, // not a regular file, too large, or the read failed
    NotJson,    // empty, malformed, or nested deeper than the reader allows
};

struct JsonReadResult {
    JsonReadStatus status = JsonReadStatus::Missing;
    Json::Value value; // null unless Ok
    bool ok() const { return status == JsonReadStatus::Ok; }
};

// Parses a JSON text (comments allowed); false, with the value null and what was wrong, when it
// is no document.
bool parseJsonText(std::string_view text, Json::Value& value, std::string& problem);
// The document of a JSON text; null when it is none.
Json::Value parseJsonText(std::string_view text);

// Reads a whole JSON file and says what was wrong when it is not a document. Comments are allowed.
JsonReadResult readJsonDocument(const std::filesystem::path& path);

// Reads a whole JSON file. Comments are allowed. A missing, empty, unreadable or unparsable file
// reads as null.
Json::Value readjsonFile(const std::filesystem::path& path);

// Writes the value in styled form followed by one line feed. The text goes to a temporary file in
// the same folder that is then renamed over the target, so an interrupted write never leaves a
// truncated file behind. Returns false (and traces why) when the file was not written.
bool writejsonFile(const std::filesystem::path& path, const Json::Value& value);
// The same, saying why a write did not happen.
FileWriteStatus writeJsonDocument(const std::filesystem::path& path, const Json::Value& value);
// Writes a new file; refuses (Exists) when the name is taken.
FileWriteStatus createJsonDocument(const std::filesystem::path& path, const Json::Value& value);

// The styled text writejsonFile puts in a file.
std::string styledJsonText(const Json::Value& value);

// Writes bytes to a file atomically (temporary file + rename).
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content);

} // namespace morva
