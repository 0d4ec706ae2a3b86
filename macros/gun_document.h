#pragma once

#include "macros/macro_event.h"

#include <json/value.h>
#include <vector>

// The document of one gun of a mouse's gun keys: a macro document whose "Events" hold 30 bullets
// of six events each, bullet b in events 6b to 6b + 5:
//
//   6b      "down", button 1 (left), delay 10, type 1      the shot
//   6b + 1  "up",   button 1,        delay 0,  type 1
//   6b + 2  H,      horizontal,      delay 5,  type 4      H: "down" left, "up" right
//   6b + 3  V,      vertical,        the bullet's delay, type 5   V: "down" up, "up" down
//   6b + 4  H,      0,               delay 0,  type 4
//   6b + 5  V,      0,               delay 0,  type 5
//
// Every value is a JSON integer, the delay included. Only the directions, the two distances and
// the delay of a bullet can be edited; the rest of the pattern is fixed.
namespace morva::macros {

inline constexpr int kGunCount = 4;
inline constexpr int kBulletsPerGun = 30;
inline constexpr int kEventsPerBullet = 6;

// What the user edits of one bullet.
struct GunBullet {
    bool left = false; // the horizontal correction moves left, otherwise right
    bool up = false;   // the vertical correction moves up, otherwise down
    int horizontal = 0;
    int vertical = 0;
    int delayMs = 0;

    bool operator==(const GunBullet&) const = default;
};

// Bullet b of the document, from events 6b + 2 and 6b + 3; "down" in any letter case is the
// left or upward direction. A bullet the document does not reach (a short or missing "Events",
// a null document) reads as zeros moving right and down.
GunBullet readGunBullet(const Json::Value& document, int bullet);

// Replaces the six events of bullet b with the pattern of the values and keeps everything else
// of the document. An "Events" too short for the bullet is extended, the elements in between
// becoming null; a document that is no object becomes one.
void writeGunBullet(Json::Value& document, int bullet, const GunBullet& values);

// Every element of "Events" in order as an event; an element that is no event object (such as
// the nulls an extended "Events" holds) is an empty event, so each bullet keeps its place.
std::vector<MacroEvent> gunEvents(const Json::Value& document);

} // namespace morva::macros
