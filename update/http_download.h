#pragma once

#include <filesystem>
#include <functional>
#include <stop_token>
#include <string>

// Fetching one file over HTTP or HTTPS, blocking the calling thread, with progress as it goes.
namespace morva::update {

// Called on the downloading thread:
//   total > 0, received < total   progress, `received` bytes so far
//   total > 0, received == total  finished: the whole body is in the target file
//   total == 0                    failed after `received` bytes; the target file is as it was
using DownloadProgress = std::function<void(double total, double received)>;

// At most this many bytes are read at a time, one progress report each.
inline constexpr size_t kDownloadReadBytes = 1024;

// Asks for the length with a HEAD request that no cache may answer, then fetches the body with
// GET into a temporary file beside the target, which replaces the target only once the whole
// body has arrived. An answer outside 2xx, a missing length, a connection that ends early and a
// body longer than announced are failures, reported once with total 0.
// A stop request ends the transfer as a failure.
void download(const std::string& url, const std::filesystem::path& target,
              const DownloadProgress& progress, std::stop_token stop = {});

} // namespace morva::update
