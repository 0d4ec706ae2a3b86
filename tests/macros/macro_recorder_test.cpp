#include "macros/macro_recorder.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace morva {
namespace {

using macros::MacroRecorder;
using macros::PlacedEvent;
using macros::Placement;
using macros::RecordTimeMode;

const macros::RecordedInput kPressA{macros::kTypeKeyboardKey, 0x04, true, "keyboard_key_A"};
const macros::RecordedInput kReleaseA{macros::kTypeKeyboardKey, 0x04, false, "keyboard_key_A"};

// A recording appended to a list that starts with `rows` events: each event comes at its time.
struct AppendRun {
    MacroRecorder recorder;
    size_t rows = 0;

    PlacedEvent at(uint32_t nowMs, const macros::RecordedInput& input = kPressA) {
        const std::optional<PlacedEvent> placed =
            recorder.place(Placement::Append, input, rows, -1, nowMs);
        EXPECT_TRUE(placed.has_value());
        ++rows;
        return placed.value_or(PlacedEvent{});
    }
};

TEST(MacroRecorder, RecordTimeGivesEachPauseToTheEventBeforeIt) {
    AppendRun run;
    run.recorder.start(RecordTimeMode::RecordTime, 1000, "");
    const PlacedEvent first = run.at(1100);
    EXPECT_EQ(first.row, 0u);
    EXPECT_EQ(first.event, macros::makeMacroEvent(10, 0x04, true, 0));
    EXPECT_TRUE(first.delayAsNumber); // the first event of an empty macro: the number 0
    EXPECT_EQ(first.previousDelayMs, std::nullopt);
    EXPECT_EQ(first.selectedRow, 0);

    const PlacedEvent second = run.at(1400, kReleaseA);
    EXPECT_EQ(second.row, 1u);
    EXPECT_EQ(second.event.delay, "0");
    EXPECT_FALSE(second.delayAsNumber);
    EXPECT_EQ(second.previousDelayMs, 300u);
    EXPECT_EQ(second.selectedRow, 1);

    EXPECT_EQ(run.at(1400 + 70000).previousDelayMs, 65535u); // held at 16 bits
    EXPECT_EQ(run.at(1400 + 70000 + 65534).previousDelayMs, 65534u);
}

TEST(MacroRecorder, PausesAreMeasuredAcrossTheTickCountersWrap) {
    AppendRun run;
    run.recorder.start(RecordTimeMode::RecordTime, 0xFFFFFF00u, "");
    run.at(0xFFFFFFF0u);
    EXPECT_EQ(run.at(0x40).previousDelayMs, 0x50u);
}

TEST(MacroRecorder, ConstantTimeComesFromTheFixedTimeFieldHeldAt65535) {
    struct Case {
        const char* field;
        std::optional<std::string> shown; // what the field shows afterwards, if rewritten
        uint32_t constant;
    };
    const Case cases[] = {
        {"50", std::nullopt, 50}, // the constant already: the field keeps its text
        {"100000", "65535", 65535},      {"120", "120", 120}, {"0120", "120", 120}, {"", "0", 0},
        {"99999999999", "65535", 65535},
    };
    for (const Case& c : cases) {
        MacroRecorder recorder;
        EXPECT_EQ(recorder.start(RecordTimeMode::ConstantTime, 0, c.field), c.shown) << c.field;
        EXPECT_EQ(recorder.constantTimeMs(), c.constant) << c.field;
    }
    MacroRecorder recorder;
    EXPECT_EQ(recorder.start(RecordTimeMode::RecordTime, 0, "300"), std::nullopt);
    EXPECT_EQ(recorder.constantTimeMs(), macros::kDefaultConstantTimeMs);
}

TEST(MacroRecorder, ConstantAndIgnoredTimeSetEveryPauseAlike) {
    AppendRun constant;
    constant.recorder.start(RecordTimeMode::ConstantTime, 0, "100000");
    const PlacedEvent first = constant.at(10);
    EXPECT_TRUE(first.delayAsNumber);
    EXPECT_EQ(first.event.delay, "0");
    const PlacedEvent second = constant.at(5000);
    EXPECT_EQ(second.event.delay, "65535");
    EXPECT_EQ(second.previousDelayMs, 65535u);

    AppendRun ignored;
    ignored.recorder.start(RecordTimeMode::IgnoreTime, 0, "");
    ignored.at(10);
    const PlacedEvent later = ignored.at(5000);
    EXPECT_EQ(later.event.delay, "0");
    EXPECT_EQ(later.previousDelayMs, 0u);
}

TEST(MacroRecorder, EachRecordingLeavesThePauseOfTheEventsBeforeItAlone) {
    // A macro of three events gets more: the first new event does not know how long the last
    // old one should last, so the old pause stays.
    AppendRun run;
    run.rows = 3;
    run.recorder.start(RecordTimeMode::RecordTime, 0, "");
    EXPECT_EQ(run.at(4000).previousDelayMs, std::nullopt);
    EXPECT_EQ(run.at(4300).previousDelayMs, 300u);
    // Nor does a second recording, though events were recorded before.
    run.recorder.start(RecordTimeMode::RecordTime, 9000, "");
    const PlacedEvent first = run.at(12000);
    EXPECT_FALSE(first.delayAsNumber);
    EXPECT_EQ(first.previousDelayMs, std::nullopt);
}

TEST(MacroRecorder, PlacesByPlacementAndSelection) {
    struct Case {
        const char* what;
        Placement placement;
        size_t rows;
        int selected;
        std::optional<size_t> row;
        int selectedAfter;
    };
    const Case cases[] = {
        {"append goes last and selects it", Placement::Append, 5, 2, 5, 5},
        {"append into an empty list", Placement::Append, 0, -1, 0, 0},
        {"before: the selected event moves down and stays selected", Placement::InsertBefore, 5, 2,
         2, 3},
        {"after: the new event is selected", Placement::InsertAfter, 5, 2, 3, 3},
        {"after the last", Placement::InsertAfter, 5, 4, 5, 5},
        {"before without a selection records nothing", Placement::InsertBefore, 5, -1, std::nullopt,
         -1},
        {"after without a selection records nothing", Placement::InsertAfter, 5, -1, std::nullopt,
         -1},
        {"a selection past the list records nothing", Placement::InsertAfter, 5, 5, std::nullopt,
         -1},
        {"1999 events take one more", Placement::Append, 1999, -1, 1999, 1999},
        {"2000 events take no more", Placement::Append, 2000, -1, std::nullopt, -1},
        {"nor by insertion", Placement::InsertBefore, 2000, 3, std::nullopt, -1},
    };
    for (const Case& c : cases) {
        MacroRecorder recorder;
        recorder.start(RecordTimeMode::IgnoreTime, 0, "");
        const auto placed = recorder.place(c.placement, kPressA, c.rows, c.selected, 0);
        ASSERT_EQ(placed.has_value(), c.row.has_value()) << c.what;
        if (placed) {
            EXPECT_EQ(placed->row, *c.row) << c.what;
            EXPECT_EQ(placed->selectedRow, c.selectedAfter) << c.what;
        }
    }
}

TEST(MacroRecorder, InsertingBeforeTheFirstEventMakesANewFirstEvent) {
    MacroRecorder recorder;
    recorder.start(RecordTimeMode::ConstantTime, 0, "80");
    const auto first = recorder.place(Placement::InsertBefore, kPressA, 4, 0, 10);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->row, 0u);
    EXPECT_TRUE(first->delayAsNumber);
    EXPECT_EQ(first->event.delay, "0");
    // The next one goes between the new event and the selected one.
    const auto second = recorder.place(Placement::InsertBefore, kReleaseA, 5, 1, 20);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->row, 1u);
    EXPECT_EQ(second->event.delay, "80");
    EXPECT_EQ(second->previousDelayMs, 80u);
    EXPECT_EQ(second->selectedRow, 2);
}

} // namespace
} // namespace morva
