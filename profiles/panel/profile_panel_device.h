#pragma once

#include <string>

namespace morva::profiles {

// Why a device writes a whole profile.
enum class ProfileWriteReason {
    Selection, // the user chose another profile (or the selection moved after a delete)
    Reset,     // the selected profile was made the default again; the keyboard first hides its
               // key-assignment editor
};

// What the profile panel needs from the device whose page it sits on. The device object
// implements it; the panel's routes call it on the interface thread.
class ProfilePanelDevice {
public:
    virtual ~ProfilePanelDevice() = default;

    // The profile the device works with from now on (its file is the identifier + ".Json" in the
    // device data folder).
    virtual void setProfileIdentifier(const std::string& identifier) = 0;

    // The full profile write: apply profile, validate macro keys, refresh page, write settings
    // (profile 0), write macros, then, whatever that gave, write the current key table
    // (profile 0). Returns the result of writing the macros: 0 written, -1 failed, a positive n
    // the number of events beyond the device's macro memory. The caller tells the user.
    virtual int applyFullProfileWrite(ProfileWriteReason reason) = 0;
};

} // namespace morva::profiles
