#pragma once

#include <json/value.h>
#include <string>

// Changes the profile operations make to a whole profile document before writing it.
namespace morva::profiles {

// Sets the root "profilename" and "profileUUID"; anything that is no object becomes one holding
// only those two (a missing default profile gives such a document, repaired when it is loaded).
void stampProfileDocument(Json::Value& document, const std::string& name,
                          const std::string& identifier);

// A headset reset keeps the user's custom equalisers: "CustomEQNameInfo" and
// "CustomEQHzValueInfo" of the device entry come from the old profile when it has them.
void keepCustomEqualisers(Json::Value& document, const Json::Value& oldProfile);

} // namespace morva::profiles
