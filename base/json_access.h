#pragma once

#include <json/value.h>

#include <cstdint>
#include <string>

// Reads of user files must never throw, whatever type a member holds: these accessors read a
// value of the wrong type as absent (0, false, empty text, null).
namespace morva::json {

// The member of an object, or null when the value is no object or lacks the member.
const Json::Value& member(const Json::Value& object, const char* key);
// The element of an array, or null when the value is no array or the index is out of range.
const Json::Value& element(const Json::Value& array, Json::ArrayIndex index);

// Integers read as themselves (wider ones keep their low 32 bits), booleans as 0 or 1, doubles
// truncated toward zero when they fit; anything else reads as 0.
int32_t toInt(const Json::Value& value);
// Low bits of toInt, as stored in narrower fields.
uint8_t toByte(const Json::Value& value);
uint16_t toWord(const Json::Value& value);
bool toBool(const Json::Value& value);
std::string toString(const Json::Value& value);

inline int32_t intMember(const Json::Value& object, const char* key) {
    return toInt(member(object, key));
}

} // namespace morva::json
