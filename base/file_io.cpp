#include "base/file_io.h"

#include "base/trace.h"
#include "base/unique_fd.h"
#include "base/write_protection.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace morva {
namespace {

namespace fs = std::filesystem;

constexpr mode_t kNewFileMode = 0644;
constexpr std::string_view kTemporaryMarker = ".tmp-";
constexpr size_t kTemporaryRandomLength = 6; // mkstemp's XXXXXX

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

FileReadStatus readAll(int fd, size_t maxBytes, std::string& content) {
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FileReadStatus::Failed;
        }
        if (got == 0) {
            return FileReadStatus::Ok;
        }
        if (content.size() + static_cast<size_t>(got) > maxBytes) {
            return FileReadStatus::TooLarge;
        }
        content.append(buffer, static_cast<size_t>(got));
    }
}

// A temporary file beside the target holding the content, with the given mode; its name, or
// empty when it could not be written.
std::string writeTemporaryFile(const fs::path& path, std::string_view content, mode_t mode) {
    std::string name = path.string();
    name += kTemporaryMarker;
    name.append(kTemporaryRandomLength, 'X');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        trace("cannot create a temporary file for %s: %s\n", path.string().c_str(),
              std::strerror(errno));
        return {};
    }
    ::fchmod(fd, mode);
    const bool written = writeAll(fd, content) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        trace("cannot write %s: %s\n", path.string().c_str(), std::strerror(writeError));
        ::unlink(name.c_str());
        return {};
    }
    return name;
}

// Makes a rename or link in the file's folder durable: without it a power cut right after the
// write can bring back the old name, or no name at all for a new file.
void syncFolderOf(const fs::path& path) {
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid() || ::fsync(fd.get()) != 0) {
        trace("cannot flush the folder of %s: %s\n", path.string().c_str(), std::strerror(errno));
    }
}

} // namespace

FileReadResult readRegularFile(const fs::path& path, size_t maxBytes) {
    FileReadResult result;
    // Non-blocking, so a FIFO in place of the file cannot hold the program up at the open.
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid()) {
        result.status = errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing
                        : errno == ENXIO                    ? FileReadStatus::NotRegular
                                                            : FileReadStatus::Failed;
        return result;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        result.status = FileReadStatus::Failed;
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.status = FileReadStatus::NotRegular;
        return result;
    }
    // The size the file system reports is not trusted (sysfs reports a page for every
    // attribute): the read itself stops past the limit.
    result.status = readAll(fd.get(), maxBytes, result.content);
    if (!result.ok()) {
        result.content.clear();
    }
    return result;
}

FileWriteStatus replaceFileAtomically(const fs::path& path, std::string_view content) {
    if (isWriteProtected(path)) {
        trace("not written: %s lies in a protected folder\n", path.string().c_str());
        return FileWriteStatus::Protected;
    }
    mode_t mode = kNewFileMode;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        if ((info.st_mode & S_IWUSR) == 0) {
            trace("not written: %s is read-only\n", path.string().c_str());
            return FileWriteStatus::ReadOnly;
        }
        mode = info.st_mode & 0777;
    }
    const std::string temporary = writeTemporaryFile(path, content, mode);
    if (temporary.empty()) {
        return FileWriteStatus::Failed;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        trace("cannot replace %s: %s\n", path.string().c_str(), std::strerror(errno));
        ::unlink(temporary.c_str());
        return FileWriteStatus::Failed;
    }
    syncFolderOf(path);
    return FileWriteStatus::Ok;
}

FileWriteStatus createFileAtomically(const fs::path& path, std::string_view content) {
    if (isWriteProtected(path)) {
        trace("not written: %s lies in a protected folder\n", path.string().c_str());
        return FileWriteStatus::Protected;
    }
    const std::string temporary = writeTemporaryFile(path, content, kNewFileMode);
    if (temporary.empty()) {
        return FileWriteStatus::Failed;
    }
    // A hard link appears whole or not at all, and never replaces an existing name.
    const bool linked = ::link(temporary.c_str(), path.c_str()) == 0;
    const int linkError = errno;
    ::unlink(temporary.c_str());
    if (linked) {
        syncFolderOf(path);
        return FileWriteStatus::Ok;
    }
    if (linkError == EEXIST) {
        return FileWriteStatus::Exists;
    }
    trace("cannot create %s: %s\n", path.string().c_str(), std::strerror(linkError));
    return FileWriteStatus::Failed;
}

bool isTemporaryWriteFileName(std::string_view fileName) {
    const size_t marker = fileName.rfind(kTemporaryMarker);
    if (marker == std::string_view::npos || marker == 0 ||
        fileName.size() - marker - kTemporaryMarker.size() != kTemporaryRandomLength) {
        return false;
    }
    for (const char c : fileName.substr(marker + kTemporaryMarker.size())) {
        const bool alphanumeric =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alphanumeric) {
            return false;
        }
    }
    return true;
}

int removeTemporaryWriteFiles(const fs::path& folder) {
    int removed = 0;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::directory_entry& entry = *it;
        std::error_code statusError;
        if (!entry.is_regular_file(statusError) || entry.is_symlink(statusError) ||
            !isTemporaryWriteFileName(entry.path().filename().string())) {
            continue;
        }
        std::error_code removeError;
        if (fs::remove(entry.path(), removeError)) {
            ++removed;
        }
    }
    if (removed > 0) {
        trace("removed %d temporary files interrupted writes left in %s\n", removed,
              folder.string().c_str());
    }
    return removed;
}

bool keepBrokenFileCopy(const fs::path& path) {
    std::error_code error;
    // Only a regular file with content holds anything of the user's; a FIFO must not be copied.
    const bool hasContent = fs::is_regular_file(fs::symlink_status(path, error)) &&
                            fs::file_size(path, error) > 0 && !error;
    if (!hasContent) {
        return false;
    }
    fs::path kept = path;
    kept += kBrokenFileSuffix;
    fs::remove(kept, error);
    // A second name for the same bytes costs no space, so it works on a full disk too.
    if (::link(path.c_str(), kept.c_str()) != 0) {
        fs::copy_file(path, kept, fs::copy_options::overwrite_existing, error);
        if (error) {
            trace("%s cannot be read and could not be kept aside: %s\n", path.string().c_str(),
                  error.message().c_str());
            return true;
        }
    }
    trace("%s cannot be read; a copy is kept as %s\n", path.string().c_str(),
          kept.string().c_str());
    return true;
}

const char* describeFileReadStatus(FileReadStatus status) {
    switch (status) {
    case FileReadStatus::Ok:
        return "read";
    case FileReadStatus::Missing:
        return "there is no such file";
    case FileReadStatus::NotRegular:
        return "not a regular file";
    case FileReadStatus::TooLarge:
        return "the file is too large";
    case FileReadStatus::Failed:
        return "the file cannot be read";
    }
    return "unknown";
}

} // namespace morva
