#pragma once

#include <cstdint>

namespace morva::ui {

// What a device's status report says about its power, as the power widget shows it.
struct PowerReport {
    enum class Charging : uint8_t { Powered = 0, Charging = 1, Low = 2 };
    enum class Phone : uint8_t { None = 0, IPhone = 1, Samsung = 2, Other = 3 };

    uint8_t batteryPercent = 0;
    uint8_t chargingState = 0; // a Charging value, or another the device sent
    bool wireless = false;     // the device is reached through a receiver
    uint8_t eventCode = 0;     // handed on to the main window, not shown
    uint8_t phoneType = 0;     // a Phone value, or another the device sent

    bool operator==(const PowerReport&) const = default;
};

} // namespace morva::ui
