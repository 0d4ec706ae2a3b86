#include "device/mousepad/pad_status.h"

namespace morva::device {

ui::PowerReport decodePadStatus(std::span<const uint8_t, kPadStatusSize> status, bool wireless) {
    return {.batteryPercent = status[0],
            .chargingState = status[1],
            .wireless = wireless,
            .eventCode = status[4],
            .phoneType = status[5]};
}

} // namespace morva::device
