#include "macros/panel/mouse_insert_items.h"
#include "tests/macropanel/macro_panel_fixture.h"
#include "ui/controls/redio_macro_button.h"
#include "ui/toolkit/layout.h"

// The event list of the panel: how events show, saving, moving, deleting, inserting, and the
// rows a recording makes.
namespace morva::macros::test {
namespace {

class EventListTest : public MacroPanelTest {
protected:
    // One macro of these events, selected.
    void open(const std::vector<MacroEvent>& macro) {
        makeMacros({{"m", macro}});
        load();
        select(0);
    }
    void selectEvent(int index) { eventList()->selectItem(index, false); }
    std::vector<int> buttons() const {
        std::vector<int> out;
        for (const MacroEvent& event : events()) {
            out.push_back(event.button);
        }
        return out;
    }
    ui::Control& label(size_t index, std::string_view name) const {
        return *row(index).asContainer()->findDescendant(name);
    }
    void insert(std::string_view item) { panel->InsertMouseEvent(*findMouseInsertItem(item)); }
};

TEST_F(EventListTest, EachRowShowsNameActionAndPauseInTheLookOfItsKind) {
    struct Case {
        MacroEvent event;
        std::string nameText;
        std::string nameStyle;
        std::string actionText;
        std::string actionStyle;
        std::string delay;
    };
    const Case cases[] = {
        {key(4, true, 35), "A", "macro_label_keyboard_style", "Press", "macro_label_down_style",
         "35"},
        {{9, 0x20, "up", "70000"},
         "Shift",
         "macro_label_keyboard_style",
         "Release",
         "macro_label_up_style",
         "65535"},
        {button(2, true, 0), "Right button", "macro_label_mouse_style", "Press",
         "macro_label_down_style", "0"},
        {{4, 25, "down", "5"},
         "Move left",
         "macro_label_mouse_style",
         "25",
         "macro_label_text_style",
         "5"},
        {{3, 1, "down", "5"}, "", "macro_label_mouse_style", "", "macro_label_text_style", "5"},
    };
    std::vector<MacroEvent> macro;
    for (const Case& c : cases) {
        macro.push_back(c.event);
    }
    open(macro);
    ASSERT_EQ(panel->EventCount(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(row(i).name(), "macro_action");
        EXPECT_EQ(row(i).className(), "ComboEditContainerElement");
        EXPECT_EQ(row(i).fixedHeight(), 30);
        EXPECT_EQ(label(i, "text1").text(), c.nameText) << i;
        EXPECT_EQ(label(i, "text1").attribute("style"), c.nameStyle) << i;
        EXPECT_EQ(label(i, "text2").text(), c.actionText) << i;
        EXPECT_EQ(label(i, "text2").attribute("style"), c.actionStyle) << i;
        EXPECT_EQ(delayShown(i), c.delay) << i;
    }
    const ui::Edit* field = rowDelayField(row(0));
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->name(), "macro_delay");
    EXPECT_EQ(field->attribute("style"), "macro_label_text_style");
    EXPECT_TRUE(field->numberOnly());
    EXPECT_EQ(field->maxLength(), 6u);
    EXPECT_EQ(field->maxValue(), 65535);
    EXPECT_EQ(field->bkColor(), 0xFF444444u);
}

TEST_F(EventListTest, SaveTakesThePausesOfTheFieldsAnEmptyOneAsZero) {
    open({key(4, true, 10), key(4, false, 20), button(1, true, 70000)});
    rowDelayField(row(0))->setText("");
    rowDelayField(row(1))->setText("00250");
    panel->Save();
    EXPECT_EQ(delayShown(0), "0");
    EXPECT_EQ(savedEvents(), (std::vector<MacroEvent>{key(4, true, 0), key(4, false, 250),
                                                      button(1, true, 65535)}));
    // The rows hold what was saved: a move rebuilds a row from it.
    EXPECT_EQ(eventAt(1).delay, "250");
    const Json::Value saved =
        readjsonFile(macroFilePath(folder(), panel->SelectedMacroIdentifier()));
    EXPECT_EQ(saved["MacroName"].asString(), "m");
    EXPECT_EQ(saved["Version"].asInt(), 64);
    EXPECT_TRUE(saved["Events"][0]["Delay"].isString());
}

TEST_F(EventListTest, SavingWithoutASelectedMacroWritesNothing) {
    open({key(4, true, 10)});
    const std::string before = readText(macroFilePath(folder(), panel->SelectedMacroIdentifier()));
    const std::string identifier = panel->SelectedMacroIdentifier();
    macroList()->selectItem(-1, false);
    rowDelayField(row(0))->setText("99");
    panel->Save();
    EXPECT_EQ(readText(macroFilePath(folder(), identifier)), before);
}

TEST_F(EventListTest, MovesAtTheEndsChangeNothingAndOthersRebuildTheRowFromItsStoredEvent) {
    struct Case {
        int selected;
        EventMove move;
        std::vector<int> order;
        int selectedAfter;
    };
    const Case cases[] = {
        {0, EventMove::Up, {1, 2, 4, 8}, 0},     {0, EventMove::Top, {1, 2, 4, 8}, 0},
        {3, EventMove::Down, {1, 2, 4, 8}, 3},   {3, EventMove::Bottom, {1, 2, 4, 8}, 3},
        {2, EventMove::Up, {1, 4, 2, 8}, 1},     {1, EventMove::Down, {1, 4, 2, 8}, 2},
        {2, EventMove::Top, {4, 1, 2, 8}, 0},    {1, EventMove::Bottom, {1, 4, 8, 2}, 3},
        {-1, EventMove::Down, {1, 2, 4, 8}, -1},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(macroListPath(folder()));
        open({button(1, true, 10), button(2, true, 20), button(4, true, 30), button(8, true, 40)});
        selectEvent(c.selected);
        rowDelayField(row(static_cast<size_t>(std::max(c.selected, 0))))->setText("777");
        panel->MoveEvent(c.move);
        EXPECT_EQ(buttons(), c.order) << c.selected;
        EXPECT_EQ(panel->SelectedEvent(), c.selectedAfter) << c.selected;
        if (c.selectedAfter >= 0 && c.order != std::vector<int>{1, 2, 4, 8}) {
            // The typed pause was not saved: the moved row shows the stored one.
            EXPECT_NE(delayShown(static_cast<size_t>(c.selectedAfter)), "777");
        }
    }
}

TEST_F(EventListTest, DeleteRemovesTheSelectedEventAndDeleteAllEvery) {
    open({button(1, true), button(2, true), button(4, true)});
    panel->DeleteEvent(); // none selected
    EXPECT_EQ(panel->EventCount(), 3u);
    selectEvent(1);
    panel->DeleteEvent();
    EXPECT_EQ(buttons(), (std::vector<int>{1, 4}));
    EXPECT_EQ(panel->SelectedEvent(), -1);
    selectEvent(0);
    panel->DeleteAllEvents();
    EXPECT_EQ(panel->EventCount(), 0u);
    EXPECT_EQ(panel->SelectedEvent(), -1);
}

TEST_F(EventListTest, InsertingAClickPutsPressAndReleaseAfterTheSelectedEvent) {
    open({key(4, true), key(4, false), key(5, true), key(5, false), key(6, true)});
    selectEvent(3);
    insert("left_click");
    ASSERT_EQ(panel->EventCount(), 7u);
    EXPECT_EQ(eventAt(4), button(1, true, 50));
    EXPECT_EQ(eventAt(5), button(1, false, 50));
    EXPECT_EQ(panel->SelectedEvent(), 5);
    EXPECT_EQ(delayShown(4), "50");
}

TEST_F(EventListTest, InsertPlacesAfterTheFirstEventWithoutASelectionAndStartsAnEmptyList) {
    open({});
    insert("right_click");
    EXPECT_EQ(events(), (std::vector<MacroEvent>{button(2, true, 50), button(2, false, 50)}));
    EXPECT_EQ(panel->SelectedEvent(), 1);
    selectEvent(-1);
    insert("back_down");
    insert("forward_up");
    EXPECT_EQ(buttons(), (std::vector<int>{2, 8, 0x10, 2}));
}

TEST_F(EventListTest, MovementsTakeTheLowEightBitsOfTheirDistance) {
    struct Case {
        const char* item;
        const char* field;
        const char* distance;
        MacroEvent event;
    };
    const Case cases[] = {
        {"macro_inset_moveleftkey_btn", "mouse_x_left_edit", "300", {4, 44, "down", "50"}},
        {"macro_inset_moverightkey_btn", "mouse_x_right_edit", "7", {4, 7, "up", "50"}},
        {"macro_inset_moveupkey_btn", "mouse_y_up_edit", "255", {5, 255, "down", "50"}},
        {"macro_inset_movedownkey_btn", "mouse_y_down_edit", "", {5, 0, "up", "50"}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(macroListPath(folder()));
        open({key(4, true)});
        edit(c.field)->setText(c.distance);
        insert(c.item);
        ASSERT_EQ(panel->EventCount(), 2u) << c.item;
        EXPECT_EQ(eventAt(1), c.event) << c.item;
    }
}

TEST_F(EventListTest, ARecordingLocksTheListsAndShowsTheStopButton) {
    open({});
    panel->StartRecording(RecordTimeMode::RecordTime);
    EXPECT_TRUE(panel->recording());
    EXPECT_FALSE(panel->findDescendant("macro_btn_starredio")->visible());
    EXPECT_TRUE(panel->findDescendant("macro_btn_stopredio")->visible());
    EXPECT_FALSE(panel->findDescendant("macro_name_tab")->takesMouseInput());
    EXPECT_FALSE(panel->findDescendant("macro_btn_name_add")->takesMouseInput());
    EXPECT_FALSE(eventList()->takesMouseInput());
    EXPECT_FALSE(panel->findDescendant("macro_tab_macroaction_edit")->enabled());
    EXPECT_FALSE(panel->findDescendant("macro_tab_macrodelay_edit")->enabled());
    EXPECT_TRUE(panel->findDescendant("macro_btn_stopredio")->enabledInTree());
    panel->StopRecording();
    EXPECT_FALSE(panel->recording());
    EXPECT_TRUE(panel->findDescendant("macro_btn_starredio")->visible());
    EXPECT_FALSE(panel->findDescendant("macro_btn_stopredio")->visible());
    EXPECT_TRUE(panel->findDescendant("macro_btn_name_add")->takesMouseInput());
    EXPECT_TRUE(eventList()->takesMouseInput());
    EXPECT_TRUE(panel->findDescendant("macro_tab_macroaction_edit")->enabled());
}

TEST_F(EventListTest, TheRecordIndicatorPulsesOnlyWhileARecordingRuns) {
    open({});
    auto* indicator = panel->findDescendantAs<ui::CRedioMacroButtonUI>("macro_redio_indicator");
    ASSERT_NE(indicator, nullptr);
    EXPECT_FALSE(indicator->visible());
    panel->StartRecording(RecordTimeMode::RecordTime);
    EXPECT_TRUE(indicator->visible());
    EXPECT_TRUE(indicator->animating());
    loop.advance(100);
    EXPECT_EQ(indicator->fade(), 215);
    panel->StopRecording();
    EXPECT_FALSE(indicator->visible());
    EXPECT_FALSE(indicator->animating());
    EXPECT_EQ(indicator->fade(), 255);
}

TEST_F(EventListTest, AConstantTimeRecordingReadsTheFieldHeldAt65535AndInsertsWithIt) {
    open({key(4, true)});
    edit("macro_fixed_time_edit")->setText("100000");
    panel->StartRecording(RecordTimeMode::ConstantTime);
    EXPECT_EQ(edit("macro_fixed_time_edit")->text(), "65535");
    EXPECT_EQ(edit("macro_fixed_time_edit")->selectionStart(), 5);
    EXPECT_EQ(panel->constantTimeMs(), 65535u);
    panel->StopRecording();
    insert("middle_down");
    EXPECT_EQ(eventAt(1).delay, "65535");
}

const RecordedInput kPressB{kTypeKeyboardKey, 5, true, "keyboard_key_B"};

TEST_F(EventListTest, TheFirstRecordedEventOfAnEmptyMacroHoldsTheNumberZeroUntilSaved) {
    open({});
    panel->StartRecording(RecordTimeMode::RecordTime);
    loop.advance(40);
    panel->PlaceRecordedInput(Placement::Append, kPressB);
    EXPECT_TRUE(rowEvent(row(0))["Delay"].isInt());
    EXPECT_EQ(rowEvent(row(0))["Delay"].asInt(), 0);
    EXPECT_EQ(delayShown(0), "0");
    loop.advance(300);
    panel->PlaceRecordedInput(Placement::Append, kPressB);
    EXPECT_EQ(rowEvent(row(0))["Delay"], Json::Value("300"));
    EXPECT_EQ(delayShown(0), "300");
    EXPECT_EQ(rowEvent(row(1))["Delay"], Json::Value("0"));
    EXPECT_EQ(panel->SelectedEvent(), 1);
    panel->StopRecording();
    panel->Save();
    EXPECT_EQ(rowEvent(row(0))["Delay"], Json::Value("300"));
    EXPECT_EQ(savedEvents(), (std::vector<MacroEvent>{key(5, true, 300), key(5, true, 0)}));
}

TEST_F(EventListTest, AfterARecordedEventTheListScrollsToIt) {
    std::vector<MacroEvent> many(40, key(4, true));
    open(many);
    ui::layoutWindow(window);
    panel->StartRecording(RecordTimeMode::IgnoreTime);
    panel->PlaceRecordedInput(Placement::Append, kPressB);
    EXPECT_EQ(eventList()->scrollOffset(), 0);
    ui::layoutWindow(window);
    loop.advance(CMacroControlUI::kScrollDelayMs);
    EXPECT_GT(eventList()->scrollOffset(), 0);
    ui::layoutWindow(window);
    EXPECT_LE(row(40).layoutRect().bottom, eventList()->layoutRect().bottom);
    EXPECT_FALSE(panel->hasTimer(CMacroControlUI::kScrollTimer));
}

TEST_F(EventListTest, ReplacingKeepsTheSelectedEventsActionAndPause) {
    open({button(2, false, 35), key(4, true, 10)});
    panel->StartRecording(RecordTimeMode::IgnoreTime);
    panel->ReplaceSelectedInput(kPressB); // none selected
    EXPECT_EQ(eventAt(0), button(2, false, 35));
    selectEvent(0);
    panel->ReplaceSelectedInput(kPressB);
    panel->ReplaceSelectedInput(kPressB);
    EXPECT_EQ(events(), (std::vector<MacroEvent>{key(5, false, 35), key(4, true, 10)}));
    EXPECT_EQ(label(0, "text1").text(), "B");
    EXPECT_EQ(label(0, "text2").attribute("style"), "macro_label_up_style");
    EXPECT_EQ(panel->EventCount(), 2u);
}

} // namespace
} // namespace morva::macros::test
