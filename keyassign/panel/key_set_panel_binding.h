#pragma once

#include "profiles/profile_records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morva::keyassign {

// What a device page asks of its key-assignment panel. The device knows the panel only through
// this.
class KeySetPanelBinding {
public:
    virtual ~KeySetPanelBinding() = default;

    virtual void BindControls() = 0;
    // 1 keyboard, 2 mouse: a keyboard offers neither DPI steps nor gun patterns.
    virtual void SetDeviceType(uint16_t deviceType) = 0;
    // The device's macros in list order, which a key can be given.
    virtual void SetMacroNames(const std::vector<std::string>& names) = 0;
    // Holds the record of the key the user selected and shows its current assignment.
    virtual void SetKeyRecord(const profiles::KeyAssignmentRecord& record) = 0;
    virtual void SetEditButtonsEnabled(bool enabled) = 0;
};

} // namespace morva::keyassign
