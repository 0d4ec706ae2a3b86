#pragma once

#include <json/value.h>

// Which kind of device a profile document was made for, told by the members only that kind's
// device entry has: a keyboard's "CustomLightMode", a mouse's "DPIStages", "ReportStages" or
// "CorrectInfo", a headset's equaliser members. A mouse pad's entry has nothing of its own, so a
// document with only lighting cannot be told.
namespace morva::profiles {

enum class ProfileKind { Unknown, Keyboard, Mouse, Headset };

ProfileKind profileKindOf(const Json::Value& document);
// The kind of the device types of the models table: 1 keyboard, 2 and 6 mouse, 7 headset; the
// others (the mouse pad) have no kind of their own.
ProfileKind profileKindOfDeviceType(int deviceType);
// A document of a kind that is not the device's would give one device another's settings.
bool profileFitsDevice(const Json::Value& document, int deviceType);

} // namespace morva::profiles
