#include "tests/update/local_http_server.h"

#include <algorithm>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <sys/socket.h>
#include <unistd.h>

namespace morva::update::test {
namespace {

constexpr int kPollMs = 50;

void sendAll(int connection, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t sent = ::send(connection, data, size, MSG_NOSIGNAL);
        if (sent <= 0) {
            return;
        }
        data += sent;
        size -= static_cast<size_t>(sent);
    }
}

std::string readRequestHead(int connection) {
    std::string head;
    char buffer[512];
    while (head.find("\r\n\r\n") == std::string::npos) {
        const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) {
            break;
        }
        head.append(buffer, static_cast<size_t>(got));
    }
    return head;
}

const char* reasonOf(int status) {
    return status >= 200 && status < 300 ? "OK" : "Error";
}

} // namespace

LocalHttpServer::LocalHttpServer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
    ::listen(listener_, 8);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { run(); });
}

LocalHttpServer::~LocalHttpServer() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

void LocalHttpServer::serve(const std::string& path, Reply reply) {
    const std::lock_guard lock(mutex_);
    replies_[path] = std::move(reply);
}

std::string LocalHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LocalHttpServer::requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
}

void LocalHttpServer::run() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, kPollMs) <= 0) {
            continue;
        }
        const int connection = ::accept(listener_, nullptr, nullptr);
        if (connection >= 0) {
            answer(connection);
            ::close(connection);
        }
    }
}

void LocalHttpServer::answer(int connection) {
    std::istringstream head(readRequestHead(connection));
    std::string method;
    std::string path;
    head >> method >> path;
    Reply reply;
    {
        const std::lock_guard lock(mutex_);
        requests_.push_back(method + " " + path);
        const auto found = replies_.find(path);
        reply = found != replies_.end() ? found->second : Reply{404, "not here", -1, -1};
    }
    const long long announced = reply.announcedLength >= 0
                                    ? reply.announcedLength
                                    : static_cast<long long>(reply.body.size());
    const std::string headers =
        "HTTP/1.1 " + std::to_string(reply.status) + " " + reasonOf(reply.status) +
        "\r\nContent-Length: " + std::to_string(announced) + "\r\nConnection: close\r\n\r\n";
    sendAll(connection, headers.data(), headers.size());
    if (method != "GET") {
        return;
    }
    const size_t bodyBytes =
        reply.closeAfter < 0 ? reply.body.size()
                             : std::min(reply.body.size(), static_cast<size_t>(reply.closeAfter));
    sendAll(connection, reply.body.data(), bodyBytes);
}

} // namespace morva::update::test
