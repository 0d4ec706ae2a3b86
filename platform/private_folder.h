#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>

// Folders that only one user may enter: what the sockets of the running program live in, so that
// no other user can bind or replace them.
namespace morva::platform {

// Why `folder` is not a private folder of `uid`; empty when it is a real directory (not a
// symbolic link) that `uid` owns with mode 0700.
std::string privateFolderProblem(const std::filesystem::path& folder, uid_t uid);

// Makes `folder` with mode 0700 unless it exists, then checks it as privateFolderProblem does. An
// existing folder is used as it is, never repaired: one that was open to others may hold
// anything. Empty when the folder can be used, else why not.
std::string makePrivateFolder(const std::filesystem::path& folder, uid_t uid);

} // namespace morva::platform
