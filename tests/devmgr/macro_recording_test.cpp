#include "device/key_assignments.h"
#include "keyassign/panel/key_set_control_ui.h"
#include "tests/devmgr/macro_fixture.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/layout.h"
#include "ui/toolkit/menu.h"
#include "ui/toolkit/option.h"

// Recording through the main window: the hook takes scripted keys and buttons as the front-end
// delivers them and the panel records them on virtual time.
namespace morva::devmgr::test {
namespace {

namespace key_code = morva::test::linux_key;
using app::PointerButton;

class MacroRecording : public MacroPanelInWindow {
protected:
    void record() { click("macro_btn_starredio"); }
    void stop() { click("macro_btn_stopredio"); }
    void press(uint32_t code) { capture.key(code, true); }
    void release(uint32_t code) { capture.key(code, false); }
    void chooseFromEventMenu(size_t rowIndex, std::string_view item) {
        row(rowIndex).event(ui::UiEvent::of(ui::EventType::ContextMenu));
        loop.runPending();
        ASSERT_NE(toolkit.currentMenu(), nullptr);
        ASSERT_TRUE(toolkit.currentMenu()->choose(item)) << item;
        loop.runPending();
    }
    // Where the stop button lies on the screen, the window standing at (200, 100).
    ui::Rect stopButtonOnScreen() {
        main->window().move({200, 100});
        ui::layoutWindow(main->window());
        const ui::Rect in = panel->StopButtonRect();
        return {in.left + 200, in.top + 100, in.right + 200, in.bottom + 100};
    }
};

TEST_F(MacroRecording, AHeldKeyRecordsOnePressAndOneReleaseAndOtherProgramsGetNoKeys) {
    record();
    EXPECT_TRUE(capture.running());
    loop.advance(100);
    for (int repeat = 0; repeat < 30; ++repeat) {
        EXPECT_TRUE(capture.key(key_code::kA, true)) << "kept from other programs";
        loop.advance(33);
    }
    release(key_code::kA);
    // The lock keys are recorded and keep working.
    EXPECT_FALSE(capture.key(key_code::kCapsLock, true));
    EXPECT_FALSE(capture.key(key_code::kCapsLock, false));
    stop();
    EXPECT_FALSE(capture.running());
    EXPECT_EQ(saved(), (std::vector<macros::MacroEvent>{key(0x04, true, 990), key(0x04, false, 0),
                                                        key(0x39, true, 0), key(0x39, false, 0)}));
}

TEST_F(MacroRecording, ASecondPressOfAKeyCountsOnceAnotherWasPressedBetween) {
    record();
    press(key_code::kA);
    press(key_code::kB);
    release(key_code::kA);
    press(key_code::kA);
    stop();
    EXPECT_EQ(saved(), (std::vector<macros::MacroEvent>{key(0x04, true), key(0x05, true),
                                                        key(0x04, false), key(0x04, true)}));
}

TEST_F(MacroRecording, AMediaKeyRecordsNothing) {
    record();
    EXPECT_TRUE(capture.key(key_code::kPlayPause, true));
    release(key_code::kPlayPause);
    capture.tap(key_code::kF5);
    stop();
    EXPECT_EQ(saved(), (std::vector<macros::MacroEvent>{key(0x3E, true), key(0x3E, false)}));
}

TEST_F(MacroRecording, ALeftClickOnTheStopButtonIsNoPartOfTheMacroARightClickIs) {
    record();
    const ui::Rect stopAt = stopButtonOnScreen();
    ASSERT_FALSE(stopAt.empty());
    const ui::Point onStop{stopAt.left + 5, stopAt.top + 5};
    capture.button(PointerButton::Right, true, onStop);
    capture.button(PointerButton::Right, false, onStop);
    capture.button(PointerButton::Left, true, {stopAt.right + 1, stopAt.top});
    capture.button(PointerButton::Left, false, {stopAt.right + 1, stopAt.top});
    capture.button(PointerButton::Left, true, onStop);
    capture.button(PointerButton::Left, false, onStop);
    stop();
    EXPECT_EQ(saved(), (std::vector<macros::MacroEvent>{button(0x02, true), button(0x02, false),
                                                        button(0x01, true), button(0x01, false)}));
}

TEST_F(MacroRecording, TheSecondXButtonPressedWhileTheFirstIsHeldRecordsNothing) {
    record();
    capture.button(PointerButton::Back, true);
    capture.button(PointerButton::Forward, true);
    capture.button(PointerButton::Back, false);
    capture.button(PointerButton::Forward, false); // the same message as the last one taken
    capture.button(PointerButton::Middle, true);
    stop();
    EXPECT_EQ(saved(), (std::vector<macros::MacroEvent>{button(0x08, true), button(0x08, false),
                                                        button(0x04, true)}));
}

TEST_F(MacroRecording, PausesAreTheTimeUntilTheNextEventHeldAt65535) {
    record();
    loop.advance(1000);
    press(key_code::kA);
    loop.advance(300);
    release(key_code::kA);
    loop.advance(70000);
    press(key_code::kB);
    stop();
    EXPECT_EQ(saved(), (std::vector<macros::MacroEvent>{key(0x04, true, 300),
                                                        key(0x04, false, 65535), key(0x05, true)}));
}

TEST_F(MacroRecording, AConstantTimeOf100000StartsAs65535) {
    panel->findDescendantAs<ui::Option>("macro_check_time")->setSelected(true);
    panel->findDescendantAs<ui::Edit>("macro_fixed_time_edit")->setText("100000");
    record();
    EXPECT_EQ(panel->findDescendantAs<ui::Edit>("macro_fixed_time_edit")->text(), "65535");
    press(key_code::kA);
    loop.advance(10);
    release(key_code::kA);
    stop();
    EXPECT_EQ(saved(),
              (std::vector<macros::MacroEvent>{key(0x04, true, 65535), key(0x04, false, 65535)}));
}

TEST_F(MacroRecording, TheFirstEventOfAnEmptyMacroHoldsTheNumberZeroUntilSaved) {
    record();
    press(key_code::kLeftShift);
    const Json::Value first = macros::rowEvent(row(0));
    EXPECT_TRUE(first["Delay"].isIntegral());
    EXPECT_EQ(first["Delay"].asInt(), 0);
    EXPECT_EQ(first["Type"].asInt(), macros::kTypeModifier);
    EXPECT_EQ(first["Button"].asInt(), 0x02);
    stop();
    EXPECT_EQ(macros::rowEvent(row(0))["Delay"], Json::Value("0"));
    const Json::Value file = readjsonFile(
        macros::macroFilePath(device->UserDataFolder(), panel->SelectedMacroIdentifier()));
    EXPECT_EQ(file["Events"][0]["Delay"], Json::Value("0"));
}

TEST_F(MacroRecording, AMacroOf2000EventsTakesNoMore) {
    selectMacroOf(std::vector<macros::MacroEvent>(2000, key(0x04, true)));
    ASSERT_EQ(shown().size(), 2000u);
    record();
    capture.tap(key_code::kB);
    stop();
    EXPECT_EQ(saved().size(), 2000u);
    EXPECT_EQ(saved().back(), key(0x04, true));
}

TEST_F(MacroRecording, InsertBeforeNeedsASelectedEventAndKeepsItSelected) {
    selectMacroOf({button(0x01, true, 10), button(0x01, false, 20)});
    chooseFromEventMenu(1, "redio_previous_ignore_time");
    ASSERT_TRUE(capture.running());
    capture.tap(key_code::kA); // nothing selected: nothing recorded
    EXPECT_EQ(shown().size(), 2u);
    stop();

    eventList()->selectItem(1, false);
    chooseFromEventMenu(1, "redio_previous_ignore_time");
    capture.tap(key_code::kA);
    stop();
    EXPECT_EQ(saved(),
              (std::vector<macros::MacroEvent>{button(0x01, true, 10), key(0x04, true),
                                               key(0x04, false), button(0x01, false, 20)}));
    EXPECT_EQ(panel->SelectedEvent(), 3);
}

TEST_F(MacroRecording, InsertAfterMovesOnWithEachEventAndReplaceKeepsActionAndPause) {
    selectMacroOf({button(0x01, true, 10), button(0x01, false, 20)});
    eventList()->selectItem(0, false);
    chooseFromEventMenu(0, "redio_later_constant_time");
    capture.tap(key_code::kB);
    stop();
    EXPECT_EQ(saved(),
              (std::vector<macros::MacroEvent>{button(0x01, true, 10), key(0x05, true, 50),
                                               key(0x05, false, 50), button(0x01, false, 20)}));
    eventList()->selectItem(3, false);
    chooseFromEventMenu(3, "macro_action_edit");
    capture.button(PointerButton::Right, true);
    capture.tap(key_code::kX);
    stop();
    EXPECT_EQ(saved().back(), key(0x1B, false, 20)) << "the last key taken, as a release";
    EXPECT_EQ(saved().size(), 4u);
}

TEST_F(MacroRecording, WhileRecordingTheDeviceBarAndTheListsAreLocked) {
    record();
    EXPECT_FALSE(main->window().find("device_select_layout")->enabled());
    EXPECT_FALSE(device->profilePanel()->enabled());
    EXPECT_TRUE(device->findDescendant("key_butt_prosave")->enabled());
    EXPECT_FALSE(panel->findDescendant("macro_name_list")->takesMouseInput() &&
                 eventList()->takesMouseInput());
    stop();
    EXPECT_TRUE(main->window().find("device_select_layout")->enabled());
    EXPECT_TRUE(device->profilePanel()->enabled());
    EXPECT_FALSE(device->findDescendant("key_butt_prosave")->enabled());
}

TEST_F(MacroRecording, WithoutTheKeyboardTheRecordingStillWaitsForItsStopButton) {
    capture.refuse = true;
    record();
    EXPECT_TRUE(panel->recording());
    EXPECT_FALSE(capture.running());
    stop();
    EXPECT_FALSE(panel->recording());
    EXPECT_TRUE(main->window().find("device_select_layout")->enabled());
}

TEST_F(MacroRecording, HidingTheTabEndsTheRecordingAndSavesWhatWasRecorded) {
    record();
    capture.tap(key_code::kA);
    ASSERT_TRUE(bus.unplug(bus.deviceIds().front()));
    loop.runUntil([&] { return !capture.running(); }, 10000);
    EXPECT_FALSE(capture.running());
    EXPECT_FALSE(panel->recording());
    EXPECT_EQ(saved(), (std::vector<macros::MacroEvent>{key(0x04, true), key(0x04, false)}));
}

TEST_F(MacroRecording, TheKeyFieldCapturesKeysWhileItHasTheFocus) {
    device->ShowFunctionPanels(2);
    auto* keys = device->keyAssignments();
    auto* button = device->findDescendantAs<ui::Button>("key_1");
    ASSERT_NE(button, nullptr);
    button->event(ui::UiEvent::of(ui::EventType::Click));
    loop.runPending();
    auto* field = device->findDescendantAs<ui::Edit>("keyset_keyboard_text_edit");
    field->event(ui::UiEvent::of(ui::EventType::SetFocus));
    loop.runPending();
    ASSERT_TRUE(capture.running());
    EXPECT_TRUE(capture.key(key_code::kB, true));
    capture.key(key_code::kB, false);
    EXPECT_EQ(keys->panel()->keyRecord().assignment.code,
              profiles::AssignmentCode::keyboardKey(0, 0x05));
    EXPECT_EQ(field->text(), "B");
    field->event(ui::UiEvent::of(ui::EventType::KillFocus));
    loop.runPending();
    EXPECT_FALSE(capture.running());
}

} // namespace
} // namespace morva::devmgr::test
