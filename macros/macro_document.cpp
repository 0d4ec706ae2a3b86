#include "macros/macro_document.h"

#include "base/json_access.h"

#include <string>

namespace morva::macros {
namespace {

// "Delay" is text, but a row not yet saved, and gun files, hold an integer.
std::string delayText(const Json::Value& delay) {
    if (delay.isString()) {
        return delay.asString();
    }
    if (delay.isUInt64()) {
        return std::to_string(delay.asLargestUInt());
    }
    if (delay.isInt64()) {
        return std::to_string(delay.asLargestInt());
    }
    if (delay.isNumeric() && delay.isConvertibleTo(Json::uintValue)) {
        return std::to_string(delay.asLargestUInt()); // a whole number written as a real
    }
    return "0";
}

bool isEventObject(const Json::Value& value) {
    return value.isObject() && json::member(value, "Type").isIntegral();
}

} // namespace

MacroEvent eventFromJson(const Json::Value& object) {
    MacroEvent event;
    event.type = json::intMember(object, "Type");
    event.button = json::intMember(object, "Button");
    event.action = json::toString(json::member(object, "Action"));
    event.delay = delayText(json::member(object, "Delay"));
    return event;
}

Json::Value eventToJson(const MacroEvent& event) {
    Json::Value object(Json::objectValue);
    object["Type"] = event.type;
    object["Button"] = event.button;
    object["Action"] = event.action;
    object["Delay"] = event.delay;
    return object;
}

std::vector<MacroEvent> eventsFromJson(const Json::Value& document) {
    const Json::Value& array = json::member(document, "Events");
    std::vector<MacroEvent> events;
    if (!array.isArray()) {
        return events;
    }
    events.reserve(array.size());
    for (const Json::Value& element : array) {
        if (element.isObject()) {
            events.push_back(eventFromJson(element));
        }
    }
    return events;
}

Json::Value macroToJson(std::string_view name, std::string_view identifier,
                        const std::vector<MacroEvent>& events) {
    Json::Value document(Json::objectValue);
    document["MacroName"] = std::string(name);
    document["Guid"] = std::string(identifier);
    if (!events.empty()) {
        Json::Value& array = document["Events"] = Json::Value(Json::arrayValue);
        for (const MacroEvent& event : events) {
            array.append(eventToJson(event));
        }
    }
    document["Version"] = kMacroDocumentVersion;
    return document;
}

bool isMacroDocument(const Json::Value& document) {
    if (!document.isObject()) {
        return false;
    }
    const Json::Value& events = json::member(document, "Events");
    if (events.isNull()) {
        return json::member(document, "Guid").isString() &&
               !json::member(document, "Version").isNull();
    }
    if (!events.isArray()) {
        return false;
    }
    for (const Json::Value& element : events) {
        if (!isEventObject(element)) {
            return false;
        }
    }
    return true;
}

} // namespace morva::macros
