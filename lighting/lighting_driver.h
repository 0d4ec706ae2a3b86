#pragma once

#include "base/worker.h"
#include "lighting/lighting_engine.h"

#include <functional>
#include <mutex>
#include <stop_token>

namespace morva::lighting {

// The lighting thread of a device: runs the engine's passes on a clock, sleeping until the next
// one that is due, a wake-up (new settings, a key event) or a stop. While `mayStep` says no (the
// command channel closed, or the device's lighting synchronised with other devices) it runs no
// pass and looks again every 100 ms.
class LightingDriver {
public:
    LightingDriver() : worker_("lighting") {}
    ~LightingDriver() { stop(); }
    LightingDriver(const LightingDriver&) = delete;
    LightingDriver& operator=(const LightingDriver&) = delete;

    // False when it runs already. The engine and the clock must outlive the driver's run.
    bool start(LightingEngine& engine, Clock& clock, std::function<bool()> mayStep);
    // Ends the thread with the bounded wait; true when it ended in time.
    bool stop(TickMs timeoutMs = 1000);
    bool running() const { return worker_.running(); }
    // Cuts the current sleep short: something changed that the engine should see now.
    void wake();

    static constexpr TickMs kPausedPollMs = 100;

private:
    void run(std::stop_token stop, LightingEngine& engine, Clock& clock,
             const std::function<bool()>& mayStep);
    // Sleeps up to `ms`; false when a stop was asked for.
    bool sleep(Clock& clock, TickMs ms, std::stop_token stop);

    Worker worker_;
    std::mutex wakeLock_;
    std::stop_source wakeSource_;
};

} // namespace morva::lighting
