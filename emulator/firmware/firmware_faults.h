#pragma once

#include <cstdint>
#include <vector>

namespace morva::emulator {

// Misbehaviour a test can ask of an emulated device, each for one chosen request.
enum class FaultKind {
    NoReply,     // the request is lost: nothing is stored, no reply comes
    WrongEcho,   // the reply echoes another command (and no right one follows)
    StrayReport, // a stray report echoing another command arrives before the right reply
    StatusFF,    // the request is refused with status 0xFF and not carried out
    StatusFE,    // the request is refused with status 0xFE and not carried out
    WriteFails,  // the report cannot be written: the transport's write fails
    Unplug,      // the device goes away on this request and stays away until plugged in again
    Late,        // the request is carried out, but its reply comes only after an extra delay
};

// A fault that fired, with the extra delay of a Late reply.
struct FiredFault {
    FaultKind kind;
    uint32_t delayMs = 0;
};

// Matches every command.
inline constexpr int kAnyCommand = -1;

// The faults armed on a device. A fault fires once, on the nth request (counted from when it was
// armed, 1 for the next) whose command matches, and is then forgotten.
class FaultSchedule {
public:
    // delayMs is the extra delay of a Late reply; the other kinds ignore it.
    void arm(FaultKind kind, int command, uint32_t nth, uint32_t delayMs = 0);
    void clear() { armed_.clear(); }
    bool empty() const { return armed_.empty(); }

    // Counts one request and returns the faults that fire on it, in the order they were armed.
    std::vector<FiredFault> take(uint8_t command);

private:
    struct Armed {
        FaultKind kind;
        int command;
        uint32_t remaining;
        uint32_t delayMs;
    };
    std::vector<Armed> armed_;
};

} // namespace morva::emulator
