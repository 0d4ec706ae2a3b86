#include "base/json_file.h"

#include "base/trace.h"

#include <json/reader.h>
#include <json/writer.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace morva {
namespace {

std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const int openError = in ? 0 : errno;
    trace("readjsonFile 错误吗：：%d\n", openError);
    if (!in) {
        return {};
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        return {};
    }
    return std::move(text).str();
}

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

std::filesystem::path temporaryPathFor(const std::filesystem::path& path) {
    std::filesystem::path tmp = path;
    tmp += ".tmp-XXXXXX";
    return tmp;
}

} // namespace

Json::Value readjsonFile(const std::filesystem::path& path) {
    const std::string text = readWholeFile(path);
    if (text.empty()) {
        trace("%s\n", path.string().c_str());
        return Json::Value();
    }
    Json::Value root;
    Json::Reader reader(Json::Features::all());
    if (!reader.parse(text, root, true)) {
        trace("readjsonFile: %s is not JSON: %s", path.string().c_str(),
              reader.getFormattedErrorMessages().c_str());
        return Json::Value();
    }
    return root;
}

std::string styledJsonText(const Json::Value& value) {
    Json::StyledWriter writer;
    return writer.write(value) + "\n";
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content) {
    std::string tmpName = temporaryPathFor(path).string();
    const int fd = ::mkstemp(tmpName.data());
    if (fd < 0) {
        trace("cannot create a temporary file for %s: %s\n", path.string().c_str(),
              std::strerror(errno));
        return false;
    }
    ::fchmod(fd, 0644);
    const bool written = writeAll(fd, content) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        trace("cannot write %s: %s\n", path.string().c_str(), std::strerror(writeError));
        ::unlink(tmpName.c_str());
        return false;
    }
    if (::rename(tmpName.c_str(), path.c_str()) != 0) {
        trace("cannot replace %s: %s\n", path.string().c_str(), std::strerror(errno));
        ::unlink(tmpName.c_str());
        return false;
    }
    return true;
}

bool writejsonFile(const std::filesystem::path& path, const Json::Value& value) {
    return writeFileAtomically(path, styledJsonText(value));
}

} // namespace morva
