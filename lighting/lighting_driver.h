#pragma once

#include "base/worker.h"
#include "lighting/lighting_engine.h"

#include <functional>
#include <mutex>
#include <stop_token>

namespace morva::lighting {

// Brings the engine from its pass at `lastPass` to its pass at `now`, making each step that fell
// due in between at its own pass, so it ends on the frame the counting loop would show now.
// `due` is what passesUntilDue() said at `lastPass`; returns what it says at `now`. Without
// `stepsBeforeNow`, only the step due now, if any, is made.
uint32_t catchUp(LightingEngine& engine, TickMs lastPass, TickMs now, uint32_t due,
                 bool stepsBeforeNow = true);

// The lighting thread of a device: runs the engine's passes on a clock, sleeping until the next
// step that is due (the steps of a fast effect in batches, see sleepAfterPass), a wake-up (new
// settings, a key event) or a stop. While `mayStep` says no (the command channel closed, or the
// device's lighting synchronised with other devices) it runs no pass and looks again every
// 100 ms.
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
    // Batches of steps end on ticks this far apart: the period at which the devices take their
    // preview frames (their refresh timer uses this too).
    static constexpr TickMs kBatchMs = 50;
    // How long before a tick of the frames a batch ends, so that the frame shows it.
    static constexpr TickMs kBatchLeadMs = 5;
    // How long the thread sleeps after the pass made at `now`, with the next step `due` passes
    // away (0: none until a change).
    static TickMs sleepAfterPass(TickMs now, uint32_t due);

private:
    void run(std::stop_token stop, LightingEngine& engine, Clock& clock,
             const std::function<bool()>& mayStep);
    // Sleeps up to `ms`; false when a stop was asked for. `woken` tells whether wake() cut it
    // short.
    bool sleep(Clock& clock, TickMs ms, std::stop_token stop, bool& woken);

    Worker worker_;
    std::mutex wakeLock_;
    std::stop_source wakeSource_;
};

} // namespace morva::lighting
