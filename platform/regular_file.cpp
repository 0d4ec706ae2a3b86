#include "platform/regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morva::platform {
namespace {

class OpenFile {
public:
    explicit OpenFile(const std::filesystem::path& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) {}
    ~OpenFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int fd() const { return fd_; }

private:
    int fd_;
};

FileReadResult resultOfFailedOpen(int error) {
    return error == ENOENT || error == ENOTDIR ? FileReadResult::kMissing : FileReadResult::kFailed;
}

// Reads until the end of the file or until buffer is full; false on a read error.
bool readUpTo(int fd, std::string& buffer, size_t& length) {
    length = 0;
    while (length < buffer.size()) {
        const ssize_t got = ::read(fd, buffer.data() + length, buffer.size() - length);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break;
        }
        length += static_cast<size_t>(got);
    }
    return true;
}

} // namespace

std::string_view describeFileReadResult(FileReadResult result) {
    switch (result) {
    case FileReadResult::kOk:
        return "ok";
    case FileReadResult::kMissing:
        return "no such file";
    case FileReadResult::kNotRegular:
        return "not a regular file";
    case FileReadResult::kTooLarge:
        return "too large";
    case FileReadResult::kFailed:
        break;
    }
    return "cannot be read";
}

FileReadResult readRegularFile(const std::filesystem::path& path, size_t maxBytes,
                               std::string& content) {
    content.clear();
    const OpenFile file(path);
    if (file.fd() < 0) {
        return resultOfFailedOpen(errno);
    }
    struct stat status {};
    if (::fstat(file.fd(), &status) != 0) {
        return FileReadResult::kFailed;
    }
    if (!S_ISREG(status.st_mode)) {
        return FileReadResult::kNotRegular;
    }
    std::string buffer(maxBytes + 1, '\0'); // one byte more tells a file that is too large
    size_t length = 0;
    if (!readUpTo(file.fd(), buffer, length)) {
        return FileReadResult::kFailed;
    }
    if (length > maxBytes) {
        return FileReadResult::kTooLarge;
    }
    buffer.resize(length);
    content = std::move(buffer);
    return FileReadResult::kOk;
}

} // namespace morva::platform
