#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace morva::app {

// Whether this program drives the devices' lighting (1) or has handed it to another program (0).
// The user toggles it with "control_light_status"; another program sets it with the
// light-control message. Every change reaches the output callback, which shows the button text
// and sets the light output of the devices; a user's toggle is also announced to other programs.
class LightControl {
public:
    using Output = std::function<void(int32_t lightControl)>;
    using Announce = std::function<void(uint32_t wParam, int32_t lParam)>;

    LightControl(Output output, Announce announce);

    int32_t value() const { return value_; }

    // When the device manager starts: announce that this program drives the lighting.
    void announceStart();
    // The user's toggle; returns the new value.
    int32_t toggle();
    // The light-control message: only wParam 1 with lParam 0 (hand over) or 1 (take back) is
    // acted upon, without an announcement. Returns whether the message was acted upon.
    bool onLightControlMessage(uint32_t wParam, int32_t lParam);

private:
    void set(int32_t value);

    int32_t value_ = 1;
    Output output_;
    Announce announce_;
};

// The text of "control_light_status" for a light-control value.
std::string_view lightControlButtonText(int32_t lightControl);

// Announces to the programs of this user that listen for it; nobody listening is fine.
void sendAnnounce(uint32_t wParam, int32_t lParam);

} // namespace morva::app
