#include "macros/gun_document.h"

#include "base/json_access.h"
#include "base/json_edit.h"
#include "base/text.h"
#include "macros/macro_document.h"

#include <array>
#include <limits>
#include <string>

namespace morva::macros {
namespace {

constexpr int kShotButton = 1; // the left button
constexpr int kShotPressDelayMs = 10;
constexpr int kHorizontalDelayMs = 5;

Json::ArrayIndex firstEventOf(int bullet) {
    return static_cast<Json::ArrayIndex>(bullet * kEventsPerBullet);
}

Json::Value eventObject(bool press, int button, int delayMs, int type) {
    Json::Value object(Json::objectValue);
    object["Action"] = std::string(press ? kActionDown : kActionUp);
    object["Button"] = button;
    object["Delay"] = delayMs;
    object["Type"] = type;
    return object;
}

std::array<Json::Value, kEventsPerBullet> bulletEvents(const GunBullet& values) {
    return {eventObject(true, kShotButton, kShotPressDelayMs, kTypeMouseButton),
            eventObject(false, kShotButton, 0, kTypeMouseButton),
            eventObject(values.left, values.horizontal, kHorizontalDelayMs, kTypeMoveHorizontal),
            eventObject(values.up, values.vertical, values.delayMs, kTypeMoveVertical),
            eventObject(values.left, 0, 0, kTypeMoveHorizontal),
            eventObject(values.up, 0, 0, kTypeMoveVertical)};
}

bool movesFirstWay(const MacroEvent& event) {
    return equalsIgnoreCase(event.action, kActionDown);
}

int delayOf(const MacroEvent& event) {
    constexpr uint32_t kLargest = std::numeric_limits<int>::max();
    const uint32_t delay = event.delayMs();
    return static_cast<int>(delay < kLargest ? delay : kLargest);
}

} // namespace

GunBullet readGunBullet(const Json::Value& document, int bullet) {
    if (bullet < 0) {
        return {};
    }
    const Json::Value& events = json::member(document, "Events");
    const MacroEvent horizontal = eventFromJson(json::element(events, firstEventOf(bullet) + 2));
    const MacroEvent vertical = eventFromJson(json::element(events, firstEventOf(bullet) + 3));
    return {.left = movesFirstWay(horizontal),
            .up = movesFirstWay(vertical),
            .horizontal = horizontal.button,
            .vertical = vertical.button,
            .delayMs = delayOf(vertical)};
}

void writeGunBullet(Json::Value& document, int bullet, const GunBullet& values) {
    if (bullet < 0) {
        return;
    }
    Json::Value& events = json::arrayMember(document, "Events");
    const std::array<Json::Value, kEventsPerBullet> pattern = bulletEvents(values);
    for (size_t k = 0; k < pattern.size(); ++k) {
        json::arrayElement(events, firstEventOf(bullet) + static_cast<Json::ArrayIndex>(k)) =
            pattern[k];
    }
}

std::vector<MacroEvent> gunEvents(const Json::Value& document) {
    const Json::Value& events = json::member(document, "Events");
    std::vector<MacroEvent> list;
    if (!events.isArray()) {
        return list;
    }
    // By index: an array extended in memory holds no elements for its gaps, which iteration
    // would skip.
    list.reserve(events.size());
    for (Json::ArrayIndex i = 0; i < events.size(); ++i) {
        list.push_back(eventFromJson(json::element(events, i)));
    }
    return list;
}

} // namespace morva::macros
