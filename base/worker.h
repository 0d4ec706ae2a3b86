#pragma once

#include "base/clock.h"

#include <atomic>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <thread>

namespace morva {

// A worker thread that ends when asked: its body polls the stop token, and every blocking wait it
// makes must be one the token interrupts.
class Worker {
public:
    using Body = std::function<void(std::stop_token)>;

    Worker() = default;
    explicit Worker(std::string name) : name_(std::move(name)) {}
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Starts the body on a new thread; false when one is already running.
    bool start(Body body);
    // Asks the body to stop and waits up to the time-out for it; true when it has ended. A worker
    // that has not ended in time is traced; the destructor still waits for it.
    bool stop(TickMs timeoutMs = 1000);
    bool running() const;
    std::stop_token stopToken() const;
    const std::string& name() const { return name_; }

private:
    struct Shared {
        std::atomic<bool> finished{false};
        std::mutex mutex;
        std::condition_variable cv;
    };
    std::string name_;
    std::jthread thread_;
    std::shared_ptr<Shared> shared_;
};

} // namespace morva
