#include "base/json_edit.h"

namespace morva::json {

Json::Value& makeObject(Json::Value& value) {
    if (!value.isObject()) {
        value = Json::Value(Json::objectValue);
    }
    return value;
}

Json::Value& makeArray(Json::Value& value) {
    if (!value.isArray()) {
        value = Json::Value(Json::arrayValue);
    }
    return value;
}

Json::Value& objectMember(Json::Value& object, const char* key) {
    return makeObject(makeObject(object)[key]);
}

Json::Value& arrayMember(Json::Value& object, const char* key) {
    return makeArray(makeObject(object)[key]);
}

Json::Value& arrayElement(Json::Value& array, Json::ArrayIndex index) {
    return makeArray(array)[index];
}

void setMember(Json::Value& object, const char* key, Json::Value value) {
    makeObject(object)[key] = std::move(value);
}

} // namespace morva::json
