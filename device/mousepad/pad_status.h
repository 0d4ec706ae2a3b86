#pragma once

#include "ui/controls/power_report.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// The 6-byte status a pad reports with command 0x1A at offset 0:
//
//   byte 0   battery level in percent
//   byte 1   charging state: 0 powered, 1 charging, 2 low
//   byte 2   not interpreted
//   byte 3   replaced by the host's own wireless flag (the pad does not know how it is reached)
//   byte 4   an event code for the main window
//   byte 5   phone on the pad: 1 iPhone, 2 Samsung, 3 other, anything else none
namespace morva::device {

inline constexpr size_t kPadStatusSize = 6;

ui::PowerReport decodePadStatus(std::span<const uint8_t, kPadStatusSize> status, bool wireless);

} // namespace morva::device
