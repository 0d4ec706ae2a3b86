#pragma once

#include "update/update_list.h"

#include <string_view>
#include <vector>

namespace morva::app {

class DeviceManager;

// This program's version as the update check counts it: the digits of "0.1.0" read as one
// decimal number (10).
uint32_t softwareVersionNumber(std::string_view dottedVersion);

// The components the update page offers: every product of the models table with the HID version
// of the device on its tab while that device is connected (0, and so left out, otherwise), and
// this program with its own version.
std::vector<update::UpdateEntry> updateEntries(const DeviceManager& devices,
                                               uint32_t softwareVersion);

} // namespace morva::app
