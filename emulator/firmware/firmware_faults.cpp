#include "emulator/firmware/firmware_faults.h"

namespace morva::emulator {

void FaultSchedule::arm(FaultKind kind, int command, uint32_t nth, uint32_t delayMs) {
    armed_.push_back({kind, command, nth == 0 ? 1 : nth, delayMs});
}

std::vector<FiredFault> FaultSchedule::take(uint8_t command) {
    std::vector<FiredFault> fired;
    for (auto it = armed_.begin(); it != armed_.end();) {
        if (it->command != kAnyCommand && it->command != command) {
            ++it;
            continue;
        }
        if (--it->remaining == 0) {
            fired.push_back({it->kind, it->delayMs});
            it = armed_.erase(it);
        } else {
            ++it;
        }
    }
    return fired;
}

} // namespace morva::emulator
