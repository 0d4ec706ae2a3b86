#include "macros/event_packing.h"
#include "macros/macro_document.h"
#include "macros/macro_event.h"
#include "tests/profiles/profile_test_support.h"

#include <gtest/gtest.h>
#include <json/reader.h>
#include <string>

namespace morva {
namespace {

// The event of a one-event document whose event object is `eventJson`.
macros::MacroEvent onlyEvent(const std::string& eventJson) {
    const auto events =
        macros::eventsFromJson(test::parseJson("{\"Events\": [" + eventJson + "]}"));
    EXPECT_EQ(events.size(), 1u) << eventJson;
    return events.empty() ? macros::MacroEvent{} : events.front();
}

struct DelayCase {
    std::string delayJson; // the "Delay" member as the file holds it
    uint32_t milliseconds;
};

TEST(MacroEvent, DelayReadsAsDecimalTextWhateverItsForm) {
    const DelayCase cases[] = {
        {"0", 0},
        {"\"0\"", 0},
        {"\"00035\"", 35},
        {"35", 35},
        {"\"65535\"", 65535},
        {"70000", 70000}, // kept whole: the editor clamps it
        {"\"70000\"", 70000},
        {"\"abc\"", 0},
        {"\"\"", 0},
        {"\"-5\"", 0},
        {"null", 0},
        {"true", 0},
        {"\"99999999999\"", 4294967295u},
        {"35.0", 35},
    };
    for (const DelayCase& c : cases) {
        const macros::MacroEvent event = onlyEvent(
            "{\"Type\": 10, \"Button\": 4, \"Action\": \"down\", \"Delay\": " + c.delayJson + "}");
        EXPECT_EQ(event.delayMs(), c.milliseconds) << c.delayJson;
    }
}

TEST(MacroEvent, AnIntegerDelayIsSavedAsText) {
    const macros::MacroEvent event = onlyEvent("{\"Type\": 10, \"Button\": 4, \"Delay\": 35}");
    const Json::Value saved = macros::macroToJson("m", "id", {event});
    EXPECT_TRUE(saved["Events"][0]["Delay"].isString());
    EXPECT_EQ(saved["Events"][0]["Delay"].asString(), "35");
}

TEST(MacroEvent, OnlyDownExactlyIsAPress) {
    const struct {
        const char* action;
        bool press;
    } cases[] = {{"down", true}, {"up", false},   {"Down", false},
                 {"", false},    {"DOWN", false}, {"down ", false}};
    for (const auto& c : cases) {
        EXPECT_EQ((macros::MacroEvent{10, 4, c.action, "0"}.isPress()), c.press) << c.action;
    }
    EXPECT_FALSE(onlyEvent("{\"Type\": 10, \"Button\": 4, \"Action\": 1}").isPress())
        << "an action that is no text reads as a release";
}

struct PackCase {
    macros::MacroEvent event;
    macros::PackedMacroEvent bytes;
};

TEST(PackMacroEvent, PacksDelayTypeWithPressBitAndButton) {
    const PackCase cases[] = {
        {{1, 4, "up", "300"}, {0x2C, 0x01, 0x01, 0x04}},
        {{1, 4, "down", "300"}, {0x2C, 0x01, 0x81, 0x04}},
        {{10, 0x04, "down", "35"}, {0x23, 0x00, 0x8A, 0x04}},
        {{9, 0x80, "Down", "0"}, {0x00, 0x00, 0x09, 0x80}},
        {{10, 0x04, "up", "70000"}, {0x70, 0x11, 0x0A, 0x04}}, // 70000 & 0xFFFF = 4464
        {{10, 0x04, "up", "65535"}, {0xFF, 0xFF, 0x0A, 0x04}},
        {{2, 7, "down", "1"}, {0x01, 0x00, 0x82, 0x07}},
        {{10, 0x1E4, "up", "0"}, {0x00, 0x00, 0x0A, 0xE4}}, // the button's low 8 bits
        {{4, 200, "down", "00035"}, {0x23, 0x00, 0x84, 0xC8}},
    };
    for (const PackCase& c : cases) {
        EXPECT_EQ(macros::packMacroEvent(c.event), c.bytes)
            << c.event.type << " " << c.event.button << " " << c.event.action << " "
            << c.event.delay;
    }
}

TEST(PackMacroEvent, DelayOf70000PacksAs4464) {
    const macros::PackedMacroEvent bytes = macros::packMacroEvent({10, 4, "down", "70000"});
    EXPECT_EQ(bytes[0] | (bytes[1] << 8), 4464);
}

TEST(MacroEvent, MadeEventsSayDownOrUpAndTheDelayAsText) {
    EXPECT_EQ(macros::makeMacroEvent(10, 4, true, 35), (macros::MacroEvent{10, 4, "down", "35"}));
    EXPECT_EQ(macros::makeMacroEvent(1, 2, false, 0), (macros::MacroEvent{1, 2, "up", "0"}));
}

} // namespace
} // namespace morva
