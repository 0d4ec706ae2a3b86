#include "base/worker.h"

#include "base/trace.h"

#include <chrono>

namespace morva {

Worker::~Worker() {
    stop();
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) {
        // Late, but the body may still use what its owner is about to free: wait it out.
        thread_.join();
    }
}

bool Worker::start(Body body) {
    if (running()) {
        return false;
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    shared_ = std::make_shared<Shared>();
    thread_ = std::jthread([shared = shared_, body = std::move(body)](std::stop_token stop) {
        body(stop);
        {
            std::lock_guard lock(shared->mutex);
            shared->finished = true;
        }
        shared->cv.notify_all();
    });
    return true;
}

bool Worker::stop(TickMs timeoutMs) {
    if (!thread_.joinable()) {
        return true;
    }
    thread_.request_stop();
    if (thread_.get_id() == std::this_thread::get_id()) {
        return false;
    }
    {
        std::unique_lock lock(shared_->mutex);
        if (!shared_->cv.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [&] { return shared_->finished.load(); })) {
            trace("worker %s did not stop within %llu ms\n", name_.c_str(),
                  static_cast<unsigned long long>(timeoutMs));
            return false;
        }
    }
    thread_.join();
    return true;
}

bool Worker::running() const {
    return thread_.joinable() && shared_ && !shared_->finished;
}

std::stop_token Worker::stopToken() const {
    return thread_.get_stop_token();
}

} // namespace morva
