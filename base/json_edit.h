#pragma once

#include <json/value.h>

// Writes into documents read from user files, whose members may hold any type: each helper first
// turns the value it writes into into the container it needs (content of another type is
// replaced), so no write can throw.
namespace morva::json {

// The value itself, made an object / an array unless it already is one.
Json::Value& makeObject(Json::Value& value);
Json::Value& makeArray(Json::Value& value);

// The member of an object (created), made an object / an array.
Json::Value& objectMember(Json::Value& object, const char* key);
Json::Value& arrayMember(Json::Value& object, const char* key);

// The element of an array; writing beyond the end extends the array with nulls.
Json::Value& arrayElement(Json::Value& array, Json::ArrayIndex index);

// Sets one member of an object, leaving the others alone.
void setMember(Json::Value& object, const char* key, Json::Value value);

} // namespace morva::json
