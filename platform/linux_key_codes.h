#pragma once

#include <cstdint>
#include <optional>

namespace morva::platform {

// A key as scan code set 1 names it: the make code's last byte and whether the E0 prefix comes
// before it.
struct SetOneScanCode {
    uint8_t makeCode = 0;
    bool extended = false;

    bool operator==(const SetOneScanCode&) const = default;
};

// The set-1 code of a key of the Linux input layer (KEY_A is 30), as the desktop's low-level
// keyboard hook reports it on the platform the macro logic was written for: right Shift with the
// prefix, Pause as 45 and Num Lock as E0 45, the Korean keys as 72 (Hangul) and 71 (Hanja). The
// keys of a PC keyboard and its media and browser keys are known; other keys have no code.
std::optional<SetOneScanCode> setOneScanCodeOfLinuxKey(uint32_t keyCode);

} // namespace morva::platform
