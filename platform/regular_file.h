#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace morva::platform {

enum class FileReadResult { kOk, kMissing, kNotRegular, kTooLarge, kFailed };

std::string_view describeFileReadResult(FileReadResult result);

// The whole content of a regular file of at most maxBytes bytes. The file is opened without
// blocking and anything else than a regular file (a FIFO, a device, a folder) is refused, and
// never more than maxBytes + 1 bytes are read: a path that is not what it claims to be can
// neither stall the caller nor feed it without end. The size the file system reports is not
// trusted (sysfs reports one page for every attribute). content is empty unless kOk.
FileReadResult readRegularFile(const std::filesystem::path& path, size_t maxBytes,
                               std::string& content);

} // namespace morva::platform
