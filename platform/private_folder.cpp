#include "platform/private_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace morva::platform {

std::string privateFolderProblem(const std::filesystem::path& folder, uid_t uid) {
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0) {
        return std::string("cannot be examined: ") + std::strerror(errno);
    }
    if (S_ISLNK(info.st_mode)) {
        return "is a symbolic link";
    }
    if (!S_ISDIR(info.st_mode)) {
        return "is not a directory";
    }
    if (info.st_uid != uid) {
        return "belongs to uid " + std::to_string(info.st_uid) + ", not " + std::to_string(uid);
    }
    if ((info.st_mode & 07777) != 0700) {
        char mode[16];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
        return std::string("has mode ") + mode + ", not 0700";
    }
    return {};
}

std::string makePrivateFolder(const std::filesystem::path& folder, uid_t uid) {
    if (::mkdir(folder.c_str(), 0700) == 0) {
        // The umask may have taken bits away; nobody else can have entered it yet.
        if (::chmod(folder.c_str(), 0700) != 0) {
            return std::string("cannot be given mode 0700: ") + std::strerror(errno);
        }
    } else if (errno != EEXIST) {
        return std::string("cannot be made: ") + std::strerror(errno);
    }
    return privateFolderProblem(folder, uid);
}

} // namespace morva::platform
