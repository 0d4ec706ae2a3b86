#include "lighting/lighting_driver.h"

#include <algorithm>
#include <limits>

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

bool LightingDriver::sleep(Clock& clock, TickMs ms, std::stop_token stop, bool& woken) {
    std::stop_token wake;
    woken = false;
    {
        const std::lock_guard lock(wakeLock_);
        if (wakeSource_.stop_requested()) {
            wakeSource_ = std::stop_source();
            woken = true;
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
            woken = true;
        }
    }
    return !stop.stop_requested();
}

uint32_t catchUp(LightingEngine& engine, TickMs lastPass, TickMs now, uint32_t due,
                 bool stepsBeforeNow) {
    // The passes the counting loop would have made since the last one, the one now included.
    uint64_t left = std::max<uint64_t>((now - lastPass) / kPassMs, 1);
    due = std::max<uint32_t>(due, 1);
    TickMs at = lastPass;
    while (stepsBeforeNow && due < left) {
        engine.skipPasses(due - 1);
        at += TickMs{due} * kPassMs;
        engine.pass(at);
        left -= due;
        due = engine.passesUntilDue(at);
        if (due == 0) {
            due = std::numeric_limits<uint32_t>::max(); // nothing more until a change
        }
    }
    engine.skipPasses(static_cast<uint32_t>(std::min<uint64_t>(left, due) - 1));
    engine.pass(now);
    return engine.passesUntilDue(now);
}

TickMs LightingDriver::sleepAfterPass(TickMs now, uint32_t due) {
    if (due == 0) {
        return kPausedPollMs;
    }
    // Frames are taken every kBatchMs at most; waking for every step of a fast effect would cost
    // a thread switch per step for frames nobody sees. Batches end a little before the ticks the
    // frames are taken on.
    return std::max<TickMs>(TickMs{due} * kPassMs, untilNextTick(now + kBatchLeadMs, kBatchMs));
}

void LightingDriver::run(std::stop_token stop, LightingEngine& engine, Clock& clock,
                         const std::function<bool()>& mayStep) {
    TickMs lastPass = clock.nowMs();
    uint32_t due = 1;
    bool woken = false;
    while (!stop.stop_requested()) {
        if (!mayStep()) {
            if (!sleep(clock, kPausedPollMs, stop, woken)) {
                break;
            }
            due = 1;
            lastPass = clock.nowMs();
            continue;
        }
        const TickMs now = clock.nowMs();
        // After a change the steps of before it are not made: a new effect starts from its
        // beginning.
        due = catchUp(engine, lastPass, now, due, !woken);
        lastPass = now;
        if (!sleep(clock, sleepAfterPass(now, due), stop, woken)) {
            break;
        }
        if (due == 0) {
            due = 1;
        }
    }
}

} // namespace morva::lighting
