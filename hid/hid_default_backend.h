#pragma once

#include "platform/hid_backend.h"

namespace morva::hid {

// The backend that CHidDevice objects use unless given another: the system's (hidraw), or the
// one a program installed (the emulated bus in demo mode). Install it before any device object
// is created; the installed backend must outlive them.
platform::HidBackend& defaultHidBackend();
void setDefaultHidBackend(platform::HidBackend* backend); // nullptr: the system's again

} // namespace morva::hid
