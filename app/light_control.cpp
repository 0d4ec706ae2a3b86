#include "app/light_control.h"

#include "platform/ipc_client.h"

namespace morva::app {

LightControl::LightControl(Output output, Announce announce)
    : output_(std::move(output)), announce_(std::move(announce)) {}

void LightControl::announceStart() {
    if (announce_) {
        announce_(1, 1);
    }
}

int32_t LightControl::toggle() {
    const int32_t next = value_ == 0 ? 1 : 0;
    value_ = next;
    if (announce_) {
        announce_(1, next);
    }
    set(next);
    return next;
}

bool LightControl::onLightControlMessage(uint32_t wParam, int32_t lParam) {
    // Any other lParam would become a light output the devices do not know.
    if (wParam != 1 || (lParam != 0 && lParam != 1)) {
        return false;
    }
    set(lParam);
    return true;
}

void LightControl::set(int32_t value) {
    value_ = value;
    if (output_) {
        output_(value);
    }
}

std::string_view lightControlButtonText(int32_t lightControl) {
    return lightControl != 0 ? "%[light_control_on_text]" : "%[light_control_off_text]";
}

void sendAnnounce(uint32_t wParam, int32_t lParam) {
    platform::sendInstanceMessage(platform::MessageKind::Announce, wParam, lParam);
}

} // namespace morva::app
