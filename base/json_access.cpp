#include "base/json_access.h"

#include <cmath>
#include <limits>

namespace morva::json {
namespace {
const Json::Value& nullValue() {
    static const Json::Value null;
    return null;
}
} // namespace

const Json::Value& member(const Json::Value& object, const char* key) {
    if (!object.isObject()) {
        return nullValue();
    }
    const Json::Value* found = object.find(key, key + std::char_traits<char>::length(key));
    return found ? *found : nullValue();
}

const Json::Value& element(const Json::Value& array, Json::ArrayIndex index) {
    if (!array.isArray() || index >= array.size()) {
        return nullValue();
    }
    return array[index];
}

int32_t toInt(const Json::Value& value) {
    switch (value.type()) {
    case Json::intValue:
        return static_cast<int32_t>(static_cast<uint32_t>(value.asLargestInt()));
    case Json::uintValue:
        return static_cast<int32_t>(static_cast<uint32_t>(value.asLargestUInt()));
    case Json::realValue: {
        const double d = value.asDouble();
        if (!std::isfinite(d) || d <= static_cast<double>(std::numeric_limits<int64_t>::min()) ||
            d >= static_cast<double>(std::numeric_limits<int64_t>::max())) {
            return 0;
        }
        return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(d)));
    }
    case Json::booleanValue:
        return value.asBool() ? 1 : 0;
    default:
        return 0;
    }
}

uint8_t toByte(const Json::Value& value) {
    return static_cast<uint8_t>(toInt(value) & 0xFF);
}

uint16_t toWord(const Json::Value& value) {
    return static_cast<uint16_t>(toInt(value) & 0xFFFF);
}

bool toBool(const Json::Value& value) {
    switch (value.type()) {
    case Json::booleanValue:
        return value.asBool();
    case Json::intValue:
    case Json::uintValue:
    case Json::realValue:
        return toInt(value) != 0;
    default:
        return false;
    }
}

std::string toString(const Json::Value& value) {
    return value.isString() ? value.asString() : std::string();
}

} // namespace morva::json
