#pragma once

#include "cli/cli_context.h"
#include "hid/device_scanner.h"
#include "hid/hid_model_tables.h"

#include <vector>

// One discovery pass for the commands that work on the supported devices, and what to say about
// it.
namespace morva::cli {

struct SlotScan {
    std::vector<hid::InterfaceSlot> slots;
    std::vector<hid::ProbeFailure> probeFailures;
};

// False (after saying so on err) when the HID devices cannot be listed.
bool scanSlots(CliContext& context, SlotScan& scan);
// Tells why nodes could not be opened, once per node, with advice when access was denied.
void explainProbeFailures(CliContext& context, const std::vector<hid::ProbeFailure>& failures);

// "keyboard", "mouse", "mouse pad", "wireless mouse", "headset" or "unknown".
const char* deviceTypeName(uint16_t type);
// The device type a name given on the command line stands for (case, '-' and '_' do not
// matter); 0 for none.
uint16_t deviceTypeOfName(const std::string& name);

} // namespace morva::cli
