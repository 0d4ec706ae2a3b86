#pragma once

#include <json/value.h>

#include <filesystem>

namespace morva {

// Reads a whole JSON file. Comments are allowed. A missing, empty or unparsable file reads as null.
Json::Value readjsonFile(const std::filesystem::path& path);

// Writes the value in styled form followed by one line feed. The text goes to a temporary file in
// the same folder that is then renamed over the target, so an interrupted write never leaves a
// truncated file behind. Returns false (and traces why) when the file was not written.
bool writejsonFile(const std::filesystem::path& path, const Json::Value& value);

// The styled text writejsonFile puts in a file.
std::string styledJsonText(const Json::Value& value);

// Writes bytes to a file atomically (temporary file + rename).
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content);

} // namespace morva
