#include "update/http_download.h"

#include "base/trace.h"

#include <chrono>
#include <cstdio>
#include <curl/curl.h>
#include <memory>
#include <mutex>
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
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using Curl = std::unique_ptr<CURL, CurlDeleter>;

struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, HeaderListDeleter>;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

HeaderList noCacheHeaders() {
    curl_slist* list = curl_slist_append(nullptr, "Cache-Control: no-cache");
    return HeaderList(curl_slist_append(list, "Pragma: no-cache"));
}

// Asked now and then during a transfer: a non-zero answer ends it.
int stopRequested(void* stop, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<const std::stop_token*>(stop)->stop_requested() ? 1 : 0;
}

Curl openRequest(const std::string& url, const HeaderList& headers, const std::stop_token& stop) {
    Curl curl(curl_easy_init());
    if (!curl) {
        return curl;
    }
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl.get(), CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    // An error answer is a failure, not a file.
    curl_easy_setopt(curl.get(), CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl.get(), CURLOPT_XFERINFOFUNCTION, &stopRequested);
    curl_easy_setopt(curl.get(), CURLOPT_XFERINFODATA, &stop);
    return curl;
}

// The length the server announces for the body, if it answers 2xx with one.
std::optional<curl_off_t> announcedLength(const std::string& url, const std::stop_token& stop) {
    const HeaderList headers = noCacheHeaders();
    const Curl curl = openRequest(url, headers, stop);
    if (!curl) {
        return std::nullopt;
    }
    curl_easy_setopt(curl.get(), CURLOPT_NOBODY, 1L);
    const CURLcode result = curl_easy_perform(curl.get());
    curl_off_t length = -1;
    if (result == CURLE_OK) {
        curl_easy_getinfo(curl.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    } else {
        trace("download %s: HEAD failed: %s\n", url.c_str(), curl_easy_strerror(result));
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
bool fetchBody(const std::string& url, const std::filesystem::path& temporary, BodySink& sink,
               const std::stop_token& stop) {
    const File file(std::fopen(temporary.c_str(), "wb"));
    if (!file) {
        trace("download %s: cannot write %s\n", url.c_str(), temporary.c_str());
        return false;
    }
    sink.file = file.get();
    const HeaderList headers = noCacheHeaders();
    const Curl curl = openRequest(url, headers, stop);
    if (!curl) {
        return false;
    }
    curl_easy_setopt(curl.get(), CURLOPT_BUFFERSIZE, static_cast<long>(kDownloadReadBytes));
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &BodySink::write);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &sink);
    const CURLcode result = curl_easy_perform(curl.get());
    if (result != CURLE_OK) {
        trace("download %s: GET failed after %lld bytes: %s%s\n", url.c_str(),
              static_cast<long long>(sink.received), curl_easy_strerror(result),
              sink.overlong ? " (longer than announced)" : "");
        return false;
    }
    return std::fflush(file.get()) == 0 && sink.received == sink.total;
}

} // namespace

void download(const std::string& url, const std::filesystem::path& target,
              const DownloadProgress& progress, std::stop_token stop) {
    initialiseCurlOnce();
    const auto report = [&progress](curl_off_t total, curl_off_t received) {
        if (progress) {
            progress(static_cast<double>(total), static_cast<double>(received));
        }
    };
    const std::optional<curl_off_t> total = announcedLength(url, stop);
    if (!total) {
        report(0, 0);
        return;
    }
    BodySink sink;
    sink.total = *total;
    sink.progress = &progress;
    const std::filesystem::path temporary = temporaryBeside(target);
    std::error_code error;
    if (!fetchBody(url, temporary, sink, stop)) {
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
