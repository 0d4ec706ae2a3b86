#include "lighting/lighting_driver.h"

#include <algorithm>

namespace morva::lighting {

bool LightingDriver::start(LightingEngine& engine, Clock& clock, std::function<bool()> mayStep) {
    return worker_.start([this, &engine, &clock, mayStep = std::move(mayStep)](
                             std::stop_token stop) { run(stop, engine, clock, mayStep); });
}

bool LightingDriver::stop(TickMs timeoutMs) {
    if (!worker_.running()) {
        return true;
    }
    return worker_.stop(timeoutMs);
}

void LightingDriver::wake() {
    const std::lock_guard lock(wakeLock_);
    wakeSource_.request_stop();
}

bool LightingDriver::sleep(Clock& clock, TickMs ms, std::stop_token stop) {
    std::stop_token wake;
    {
        const std::lock_guard lock(wakeLock_);
        if (wakeSource_.stop_requested()) {
            wakeSource_ = std::stop_source();
            return !stop.stop_requested();
        }
        wake = wakeSource_.get_token();
    }
    // One token for the clock that a stop and a wake-up both trigger.
    std::stop_source either;
    const std::stop_callback onStop(stop, [&either] { either.request_stop(); });
    const std::stop_callback onWake(wake, [&either] { either.request_stop(); });
    clock.sleepFor(ms, either.get_token());
    {
        const std::lock_guard lock(wakeLock_);
        if (wakeSource_.stop_requested()) {
            wakeSource_ = std::stop_source();
        }
    }
    return !stop.stop_requested();
}

void LightingDriver::run(std::stop_token stop, LightingEngine& engine, Clock& clock,
                         const std::function<bool()>& mayStep) {
    TickMs lastPass = clock.nowMs();
    uint32_t due = 1;
    while (!stop.stop_requested()) {
        if (!mayStep()) {
            if (!sleep(clock, kPausedPollMs, stop)) {
                break;
            }
            due = 1;
            lastPass = clock.nowMs();
            continue;
        }
        const TickMs now = clock.nowMs();
        // The passes the counting loop would have made since the last one, bar the one now:
        // nothing was due in them unless a wake-up came first.
        const uint64_t elapsed = std::max<uint64_t>((now - lastPass) / kPassMs, 1);
        engine.skipPasses(static_cast<uint32_t>(std::min<uint64_t>(elapsed, due) - 1));
        engine.pass(now);
        lastPass = now;
        due = engine.passesUntilDue(now);
        const TickMs wait = due == 0 ? kPausedPollMs : TickMs{due} * kPassMs;
        if (!sleep(clock, wait, stop)) {
            break;
        }
        if (due == 0) {
            due = 1;
        }
    }
}

} // namespace morva::lighting
