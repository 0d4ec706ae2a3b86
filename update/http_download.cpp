#include "update/http_download.h"

#include "base/trace.h"
#include "update/curl_library.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>

namespace morva::update {
namespace {

// A short breath after every fifth read keeps a fast transfer from flooding its listener.
constexpr int kReadsBetweenPauses = 5;
constexpr auto kPause = std::chrono::milliseconds(1);
constexpr long kConnectTimeoutSeconds = 15;

struct CurlDeleter {
    const CurlLibrary* library = nullptr;
    void operator()(CURL* handle) const { library->easyCleanup(handle); }
};
using Curl = std::unique_ptr<CURL, CurlDeleter>;

struct HeaderListDeleter {
    const CurlLibrary* library = nullptr;
    void operator()(curl_slist* list) const { library->slistFreeAll(list); }
};
using HeaderList = std::unique_ptr<curl_slist, HeaderListDeleter>;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

HeaderList noCacheHeaders(const CurlLibrary& lib) {
    curl_slist* list = lib.slistAppend(nullptr, "Cache-Control: no-cache");
    return HeaderList(lib.slistAppend(list, "Pragma: no-cache"), HeaderListDeleter{&lib});
}

// Asked now and then during a transfer: a non-zero answer ends it.
int stopRequested(void* stop, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<const std::stop_token*>(stop)->stop_requested() ? 1 : 0;
}

Curl openRequest(const CurlLibrary& lib, const std::string& url, const HeaderList& headers,
                 const std::stop_token& stop) {
    Curl curl(lib.easyInit(), CurlDeleter{&lib});
    if (!curl) {
        return curl;
    }
    lib.easySetopt(curl.get(), CURLOPT_URL, url.c_str());
    lib.easySetopt(curl.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    lib.easySetopt(curl.get(), CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    lib.easySetopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
    lib.easySetopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    lib.easySetopt(curl.get(), CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    lib.easySetopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    // An error answer is a failure, not a file.
    lib.easySetopt(curl.get(), CURLOPT_FAILONERROR, 1L);
    lib.easySetopt(curl.get(), CURLOPT_NOPROGRESS, 0L);
    lib.easySetopt(curl.get(), CURLOPT_XFERINFOFUNCTION, &stopRequested);
    lib.easySetopt(curl.get(), CURLOPT_XFERINFODATA, &stop);
    return curl;
}

// The length the server announces for the body, if it answers 2xx with one.
std::optional<curl_off_t> announcedLength(const CurlLibrary& lib, const std::string& url,
                                          const std::stop_token& stop) {
    const HeaderList headers = noCacheHeaders(lib);
    const Curl curl = openRequest(lib, url, headers, stop);
    if (!curl) {
        return std::nullopt;
    }
    lib.easySetopt(curl.get(), CURLOPT_NOBODY, 1L);
    const CURLcode result = lib.easyPerform(curl.get());
    curl_off_t length = -1;
    if (result == CURLE_OK) {
        lib.easyGetinfo(curl.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    } else {
        trace("download %s: HEAD failed: %s\n", url.c_str(), lib.easyStrerror(result));
    }
    if (length <= 0) {
        return std::nullopt;
    }
    return length;
}

// The body as it arrives: written to the temporary file, counted and reported, except the last
// report, which waits until the file has taken the target's place.
struct BodySink {
    std::FILE* file = nullptr;
    curl_off_t total = 0;
    curl_off_t received = 0;
    int reads = 0;
    const DownloadProgress* progress = nullptr;
    bool overlong = false;

    size_t take(const char* data, size_t size) {
        if (received + static_cast<curl_off_t>(size) > total) {
            overlong = true;
            return 0; // ends the transfer with a write error
        }
        if (std::fwrite(data, 1, size, file) != size) {
            return 0;
        }
        received += static_cast<curl_off_t>(size);
        if (received < total && *progress) {
            (*progress)(static_cast<double>(total), static_cast<double>(received));
        }
        if (++reads % kReadsBetweenPauses == 0) {
            std::this_thread::sleep_for(kPause);
        }
        return size;
    }

    static size_t write(char* data, size_t size, size_t count, void* sink) {
        return static_cast<BodySink*>(sink)->take(data, size * count);
    }
};

std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    std::filesystem::path temporary = target;
    temporary += ".download";
    return temporary;
}

// Fetches the body into `temporary`; true when all `total` bytes arrived.
bool fetchBody(const CurlLibrary& lib, const std::string& url,
               const std::filesystem::path& temporary, BodySink& sink,
               const std::stop_token& stop) {
    const File file(std::fopen(temporary.c_str(), "wb"));
    if (!file) {
        trace("download %s: cannot write %s\n", url.c_str(), temporary.c_str());
        return false;
    }
    sink.file = file.get();
    const HeaderList headers = noCacheHeaders(lib);
    const Curl curl = openRequest(lib, url, headers, stop);
    if (!curl) {
        return false;
    }
    lib.easySetopt(curl.get(), CURLOPT_BUFFERSIZE, static_cast<long>(kDownloadReadBytes));
    lib.easySetopt(curl.get(), CURLOPT_WRITEFUNCTION, &BodySink::write);
    lib.easySetopt(curl.get(), CURLOPT_WRITEDATA, &sink);
    const CURLcode result = lib.easyPerform(curl.get());
    if (result != CURLE_OK) {
        trace("download %s: GET failed after %lld bytes: %s%s\n", url.c_str(),
              static_cast<long long>(sink.received), lib.easyStrerror(result),
              sink.overlong ? " (longer than announced)" : "");
        return false;
    }
    return std::fflush(file.get()) == 0 && sink.received == sink.total;
}

} // namespace

void download(const std::string& url, const std::filesystem::path& target,
              const DownloadProgress& progress, std::stop_token stop) {
    const auto report = [&progress](curl_off_t total, curl_off_t received) {
        if (progress) {
            progress(static_cast<double>(total), static_cast<double>(received));
        }
    };
    std::string unavailable;
    const CurlLibrary* lib = curlLibrary(unavailable);
    if (lib == nullptr) {
        trace("download %s: %s\n", url.c_str(), unavailable.c_str());
        report(0, 0);
        return;
    }
    const std::optional<curl_off_t> total = announcedLength(*lib, url, stop);
    if (!total) {
        report(0, 0);
        return;
    }
    BodySink sink;
    sink.total = *total;
    sink.progress = &progress;
    const std::filesystem::path temporary = temporaryBeside(target);
    std::error_code error;
    if (!fetchBody(*lib, url, temporary, sink, stop)) {
        std::filesystem::remove(temporary, error);
        report(0, sink.received);
        return;
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        trace("download %s: cannot replace %s: %s\n", url.c_str(), target.c_str(),
              error.message().c_str());
        std::filesystem::remove(temporary, error);
        report(0, sink.received);
        return;
    }
    report(sink.total, sink.received);
}

} // namespace morva::update
