#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace morva::update::test {

// What the server answers for one path.
struct Reply {
    int status = 200;
    std::string body;
    // The Content-Length the headers announce; the body's size unless set.
    long long announcedLength = -1;
    // The connection of a GET is closed after this many body bytes; -1: after the whole body.
    long long closeAfter = -1;
};

// An HTTP/1.1 server on 127.0.0.1 for downloads in tests: one connection at a time, each closed
// after its answer, and a fault or two on request. It counts the requests it answered.
class LocalHttpServer {
public:
    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    void serve(const std::string& path, Reply reply);
    std::string url(const std::string& path) const;
    // "HEAD /x", "GET /x", ... in the order they came.
    std::vector<std::string> requests() const;

private:
    void run();
    void answer(int connection);

    int listener_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stopping_ = false;
    mutable std::mutex mutex_;
    std::map<std::string, Reply> replies_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

} // namespace morva::update::test
