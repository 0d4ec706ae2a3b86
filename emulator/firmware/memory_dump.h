#pragma once

#include "emulator/firmware/command_firmware.h"

#include <string>

namespace morva::emulator {

// What an emulated device holds, as labelled hexadecimal lines of 16 bytes: the information
// record, the key and LED-index tables, the settings block of each profile (as the host reads
// it), the macro and gun-key images as far as their headers say, and the light pages that are
// not all zero.
std::string describeFirmwareMemory(CommandFirmware& firmware);

} // namespace morva::emulator
