#include "base/event_loop.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace morva {

bool EventLoop::send(Task task, std::stop_token stop) {
    if (isLoopThread()) {
        task();
        return true;
    }
    if (hasQuit()) {
        return false;
    }
    struct Handshake {
        std::mutex mutex;
        std::condition_variable_any done;
        bool ran = false;
    };
    auto handshake = std::make_shared<Handshake>();
    post([handshake, task = std::move(task)] {
        task();
        {
            std::lock_guard lock(handshake->mutex);
            handshake->ran = true;
        }
        handshake->done.notify_all();
    });
    std::unique_lock lock(handshake->mutex);
    // The loop may quit without running the task; look again now and then.
    while (!handshake->ran && !stop.stop_requested() && !hasQuit()) {
        handshake->done.wait_for(lock, stop, std::chrono::milliseconds(20),
                                 [&] { return handshake->ran; });
    }
    return handshake->ran;
}

} // namespace morva
