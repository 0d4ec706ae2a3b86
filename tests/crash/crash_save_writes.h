#pragma once

#include "macros/gun_document.h"
#include "macros/macro_event.h"

#include <json/value.h>
#include <string>
#include <vector>

// What the save loop of the crash test writes, shared by the loop and the test that checks the
// files it left: the macros and gun patterns come in a few fixed versions, so every file the
// loop can have written is known.
namespace morva::test::crash {

inline constexpr int kVersions = 3;
inline constexpr int kMacroSlots = 3;
inline constexpr int kMaxProfiles = 6;

inline std::string macroIdentifier(int slot) {
    return "2021_02_03_04_05_06_00" + std::to_string(slot);
}

inline std::string macroName(int slot) {
    return "crash macro " + std::to_string(slot);
}

// Version v of a macro: 20 + 40 v key presses and releases.
inline std::vector<macros::MacroEvent> macroEvents(int version) {
    std::vector<macros::MacroEvent> events;
    for (int i = 0; i < 20 + 40 * version; ++i) {
        events.push_back(
            macros::makeMacroEvent(10, 0x04 + version, i % 2 == 0, static_cast<uint32_t>(10 + i)));
    }
    return events;
}

// Version v of a gun: every bullet set from v, on top of whatever the document held.
inline void setGunVersion(Json::Value& document, int version) {
    for (int bullet = 0; bullet < macros::kBulletsPerGun; ++bullet) {
        macros::writeGunBullet(document, bullet,
                               {.left = version % 2 == 0,
                                .up = bullet % 2 == 0,
                                .horizontal = version + bullet,
                                .vertical = 3 * version + 1,
                                .delayMs = 40 + version});
    }
}

} // namespace morva::test::crash
