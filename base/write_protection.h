#pragma once

#include <filesystem>

// Folders whose contents are never written, such as the program's own folder with its shipped
// defaults: every atomic write checks its target against them.
namespace morva {

void protectFolderFromWrites(const std::filesystem::path& folder);
// True when the path names a protected folder or anything inside one.
bool isWriteProtected(const std::filesystem::path& path);
// Whether `path` is `folder` or lies inside it, after resolving "..", links and relative parts.
bool isSameOrInside(const std::filesystem::path& path, const std::filesystem::path& folder);

} // namespace morva
