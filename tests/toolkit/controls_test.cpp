#include "tests/toolkit/toolkit_fixture.h"
#include "ui/toolkit/button.h"
#include "ui/toolkit/color_palette.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/layout.h"
#include "ui/toolkit/list.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"

namespace morva::ui::test {
namespace {

// A window with the main skin and, in its status bar, the controls a test adds.
class ControlsTest : public ToolkitTest {
protected:
    void SetUp() override {
        window = mainWindow();
        drain();
    }
    template <typename T> T* addControl(std::string name) {
        auto* bar = window->findAs<Container>("status_bar");
        auto* control = static_cast<T*>(bar->add(std::make_unique<T>()));
        control->setName(std::move(name));
        return control;
    }
    // A function tab of the group "function_tab", unselected.
    Option* addGroupedOption(std::string name) {
        auto* option = addControl<Option>(std::move(name));
        option->setGroup("function_tab");
        return option;
    }
    std::unique_ptr<Window> window;
};

// --- combo -----------------------------------------------------------------------------------

struct ComboSelectCase {
    const char* label;
    int initial; // selected before the step, -1 for none
    int index;   // what is selected
    bool notify;
    bool accepted;
    int selectedAfter;
    std::vector<std::string> sent;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const ComboSelectCase& c, std::ostream* os) {
    *os << c.label;
}

class ComboSelectTest : public ControlsTest,
                        public ::testing::WithParamInterface<ComboSelectCase> {};

TEST_P(ComboSelectTest, SelectsWithOrWithoutNotification) {
    const ComboSelectCase& c = GetParam();
    auto* combo = addControl<Combo>("device_profile_combo");
    combo->addItem("profile1", "id_1");
    combo->addItem("profile2", "id_2");
    combo->addItem("profile3", "id_3");
    combo->selectItem(c.initial, false);
    std::vector<Notification> got;
    window->setNotifyHandler([&](const Notification& n) { got.push_back(n); });

    EXPECT_EQ(combo->selectItem(c.index, c.notify), c.accepted);
    loop.runPending();

    EXPECT_EQ(combo->selectedIndex(), c.selectedAfter);
    EXPECT_EQ(combo->rawText(), c.selectedAfter >= 0 ? combo->item(c.selectedAfter)->text : "");
    std::vector<std::string> sent;
    for (const auto& n : got) {
        sent.push_back(n.type + ":" + std::to_string(n.wParam) + ":" + std::to_string(n.lParam));
    }
    EXPECT_EQ(sent, c.sent);
}

INSTANTIATE_TEST_SUITE_P(
    Toolkit, ComboSelectTest,
    ::testing::Values(ComboSelectCase{"WithNotification", 0, 2, true, true, 2, {"itemselect:2:0"}},
                      ComboSelectCase{"WithoutNotification", 0, 2, false, true, 2, {}},
                      ComboSelectCase{"FromNothing", -1, 1, true, true, 1, {"itemselect:1:-1"}},
                      ComboSelectCase{"SameAgainSendsNothing", 1, 1, true, true, 1, {}},
                      ComboSelectCase{"Clear", 1, -1, true, true, -1, {"itemselect:-1:1"}},
                      ComboSelectCase{"PastTheEndRefused", 1, 3, true, false, 1, {}},
                      ComboSelectCase{"BelowMinusOneRefused", 1, -2, true, false, 1, {}}),
    [](const auto& param) { return std::string(param.param.label); });

TEST_F(ControlsTest, ComboItemsKeepUserDataHeightVisibilityAndFollowRemoval) {
    auto* combo = addControl<Combo>("light_combo_modeSelect");
    combo->addItem(ComboItem{"%[light_tab_text]", "4", 24, true});
    combo->addItem("static", "5");
    combo->addItem("off", "27");
    EXPECT_TRUE(combo->setItemVisible(1, false));
    EXPECT_TRUE(combo->setItemHeight(2, 30));
    EXPECT_FALSE(combo->setItemHeight(3, 30));
    EXPECT_EQ(combo->findByUserData("27"), 2);
    EXPECT_EQ(combo->findByUserData("99"), -1);
    EXPECT_FALSE(combo->item(1)->visible);
    EXPECT_EQ(combo->item(2)->height, 30);
    EXPECT_EQ(combo->item(0)->height, 24);
    ASSERT_TRUE(toolkit.loadLanguageFile("lan_en.xml"));
    EXPECT_EQ(combo->itemText(0), "Lighting");

    combo->selectItem(2, false);
    combo->removeItem(0);
    EXPECT_EQ(combo->selectedIndex(), 1); // the same item, one place up
    combo->removeItem(1);
    EXPECT_EQ(combo->selectedIndex(), -1);
    EXPECT_EQ(combo->rawText(), "");
}

TEST_F(ControlsTest, ComboUserPickIsRefusedWhileDisabled) {
    auto* combo = addControl<Combo>("keyset_media_combo");
    combo->addItem("a");
    combo->setEnabled(false);
    EXPECT_FALSE(combo->userSelect(0));
    combo->setEnabled(true);
    EXPECT_TRUE(combo->userSelect(0));
    EXPECT_EQ(drain(), std::vector<std::string>{"itemselect:keyset_media_combo"});
}

// --- options ---------------------------------------------------------------------------------

TEST_F(ControlsTest, SelectingAGroupedOptionDeselectsTheOthersOfItsGroup) {
    auto* lighting = addGroupedOption("deng_Op_tab");
    auto* keys = addGroupedOption("key_Op_tab");
    auto* macros = addGroupedOption("macro_Op_tab");
    lighting->setSelected(true, false);
    // A member of the group elsewhere in the window.
    auto* far = addControl<Option>("far_tab");
    far->setGroup("function_tab");

    keys->activate();
    EXPECT_TRUE(keys->selected());
    EXPECT_FALSE(lighting->selected());
    far->setSelected(true);
    EXPECT_FALSE(keys->selected());
    macros->setSelected(true, false);
    EXPECT_FALSE(far->selected());
    // Only becoming selected is told; the silent selection and the deselections are not.
    EXPECT_EQ(drain(), (std::vector<std::string>{"click:key_Op_tab", "selectchanged:key_Op_tab",
                                                 "selectchanged:far_tab"}));
    // Activating the selected one again keeps it selected and sends only the click.
    macros->activate();
    EXPECT_TRUE(macros->selected());
    EXPECT_EQ(drain(), std::vector<std::string>{"click:macro_Op_tab"});
}

TEST_F(ControlsTest, OptionsOfOtherGroupsAndCheckBoxesAreIndependent) {
    auto* rate1 = addControl<Option>("polling_rate_option_1");
    auto* rate2 = addControl<Option>("polling_rate_option_2");
    rate1->setGroup("rate");
    rate2->setGroup("rate");
    auto* check = addControl<CheckBox>("pointer_precision_check");
    rate1->setSelected(true, false);
    addGroupedOption("key_Op_tab")->setSelected(true, false);
    EXPECT_TRUE(rate1->selected());

    check->activate();
    EXPECT_TRUE(check->checked());
    check->activate();
    EXPECT_FALSE(check->checked());
    EXPECT_TRUE(rate1->selected());
    // An ungrouped option tells both ways.
    EXPECT_EQ(drain(), (std::vector<std::string>{"click:pointer_precision_check",
                                                 "selectchanged:pointer_precision_check",
                                                 "click:pointer_precision_check",
                                                 "selectchanged:pointer_precision_check"}));
}

TEST_F(ControlsTest, OptionBoundToATabLayoutShowsItsPageWhenSelected) {
    auto* pages = window->findAs<TabLayout>("device_switch");
    for (int i = 0; i < 3; ++i) {
        pages->add(std::make_unique<VerticalLayout>());
    }
    auto* kbTab = addControl<Option>("device_select_kb");
    auto* msTab = addControl<Option>("device_select_ms");
    kbTab->setGroup("tab_header_device");
    msTab->setGroup("tab_header_device");
    kbTab->bindTabLayout("device_switch", 0);
    msTab->bindTabLayout("device_switch", 2);
    msTab->activate();
    EXPECT_EQ(pages->selectedIndex(), 2);
    kbTab->setSelected(true, false);
    EXPECT_EQ(pages->selectedIndex(), 0);
    EXPECT_FALSE(msTab->selected());
}

// --- edits -----------------------------------------------------------------------------------

struct EditInputCase {
    const char* label;
    bool numberOnly;
    size_t maxLength;
    const char* input;
    bool accepted;
    const char* textAfter;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const EditInputCase& c, std::ostream* os) {
    *os << c.label;
}

class EditInputTest : public ControlsTest, public ::testing::WithParamInterface<EditInputCase> {};

TEST_P(EditInputTest, AppliesNumberOnlyAndLength) {
    const EditInputCase& c = GetParam();
    auto* edit = addControl<Edit>("DPI_edit_1");
    edit->setText("800");
    edit->setNumberOnly(c.numberOnly);
    edit->setMaxLength(c.maxLength);
    EXPECT_EQ(edit->userInput(c.input), c.accepted);
    EXPECT_EQ(edit->rawText(), c.textAfter);
    EXPECT_EQ(drain(), c.accepted ? std::vector<std::string>{"textchanged:DPI_edit_1"}
                                  : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Toolkit, EditInputTest,
    ::testing::Values(EditInputCase{"Digits", true, 5, "1600", true, "1600"},
                      EditInputCase{"LettersRefused", true, 5, "16a0", false, "800"},
                      EditInputCase{"SignRefused", true, 5, "-5", false, "800"},
                      EditInputCase{"EmptyAccepted", true, 5, "", true, ""},
                      EditInputCase{"CutToLength", true, 3, "12345", true, "123"},
                      EditInputCase{"TextAllowed", false, 8, "macro 1", true, "macro 1"},
                      EditInputCase{"CutCountsCharacters", false, 2, "宏录制", true, "宏录"}),
    [](const auto& param) { return std::string(param.param.label); });

TEST_F(ControlsTest, EditFocusChangesAndRangeOnLeaving) {
    auto* edit = addControl<Edit>("bullet_delay_eidt");
    edit->setNumberOnly(true);
    edit->setMinValue(1);
    edit->setMaxValue(255);
    edit->setText("300");
    edit->event(UiEvent::of(EventType::SetFocus));
    edit->event(UiEvent::of(EventType::KillFocus));
    EXPECT_EQ(edit->rawText(), "255");
    edit->setText("0");
    edit->event(UiEvent::of(EventType::KillFocus));
    EXPECT_EQ(edit->numberValue(), 1);
    UiEvent enter = UiEvent::of(EventType::KeyDown);
    enter.key = kKeyReturn;
    edit->event(enter);
    edit->setSelection(1, -1);
    EXPECT_EQ(edit->selectionStart(), 1);
    EXPECT_EQ(edit->selectionEnd(), -1);
    EXPECT_EQ(drain(), (std::vector<std::string>{
                           "setfocus:bullet_delay_eidt", "killfocus:bullet_delay_eidt",
                           "killfocus:bullet_delay_eidt", "return:bullet_delay_eidt"}));
    edit->setReadOnly(true);
    EXPECT_FALSE(edit->userInput("5"));
}

// --- sliders, progress, palette ----------------------------------------------------------------

TEST_F(ControlsTest, SliderDragAndReleaseSendTheirOwnNotificationsWithClampedValues) {
    auto* slider = addControl<Slider>("DPI_slider_1");
    ASSERT_TRUE(slider->setRange(1, 64));
    EXPECT_FALSE(slider->setRange(10, 5));
    EXPECT_TRUE(slider->userMoveTo(40));
    EXPECT_TRUE(slider->userSetValue(99));
    EXPECT_EQ(slider->value(), 64);
    slider->setValue(-3);
    EXPECT_EQ(slider->value(), 1);
    slider->setEnabled(false);
    EXPECT_FALSE(slider->userSetValue(3));
    EXPECT_EQ(drain(), (std::vector<std::string>{"movevaluechanged:DPI_slider_1",
                                                 "valuechanged:DPI_slider_1"}));

    auto* progress = addControl<Progress>("battery");
    progress->setValue(150);
    EXPECT_EQ(progress->value(), 100);
    progress->setRange(0, 50);
    EXPECT_EQ(progress->value(), 50);
}

TEST_F(ControlsTest, PaletteTellsOnlyTheUsersPick) {
    auto* palette = addControl<ColorPalette>("deng_Color_Pallet");
    palette->setColor(0xFF00FF00u);
    EXPECT_TRUE(palette->userPickColor(0xFF123456u));
    EXPECT_EQ(palette->color(), 0xFF123456u);
    EXPECT_EQ(drain(), std::vector<std::string>{"colorchanged:deng_Color_Pallet"});
}

// --- tab layout and lists --------------------------------------------------------------------

TEST_F(ControlsTest, TabLayoutShowsOnlyTheSelectedPage) {
    auto* pages = window->findAs<TabLayout>("device_switch");
    EXPECT_EQ(pages->selectedIndex(), -1);
    for (const char* name : {"page_kb", "page_ms", "page_mp"}) {
        pages->add(std::make_unique<VerticalLayout>())->setName(name);
    }
    EXPECT_EQ(pages->selectedIndex(), 0);
    EXPECT_TRUE(pages->childAt(0)->visible());
    EXPECT_FALSE(pages->childAt(2)->visible());
    EXPECT_TRUE(pages->selectItem(2));
    EXPECT_FALSE(pages->childAt(0)->visible());
    EXPECT_TRUE(pages->childAt(2)->visible());
    EXPECT_FALSE(pages->selectItem(3));
    // A page put in front keeps the shown page shown.
    pages->addAt(std::make_unique<VerticalLayout>(), 0);
    EXPECT_EQ(pages->selectedIndex(), 3);
    EXPECT_FALSE(pages->childAt(0)->visible());
    // Removing the shown page shows its neighbour.
    pages->remove(pages->childAt(3));
    EXPECT_EQ(pages->selectedIndex(), 2);
    EXPECT_TRUE(pages->childAt(2)->visible());
}

TEST_F(ControlsTest, ListRowsThatAreContainersSelectAndReport) {
    auto* list = addControl<List>("macro_name_list");
    for (int i = 0; i < 3; ++i) {
        auto row = std::make_unique<ListContainerElement>();
        row->setName("row_" + std::to_string(i));
        row->add(std::make_unique<Label>())->setName("text1");
        list->add(std::move(row));
    }
    auto* row1 = dynamic_cast<ListContainerElement*>(list->childAt(1));
    row1->event(UiEvent::of(EventType::Click));
    EXPECT_EQ(list->selectedIndex(), 1);
    EXPECT_TRUE(row1->rowSelected());
    row1->event(UiEvent::of(EventType::DoubleClick));
    list->selectItem(2, false);
    EXPECT_FALSE(row1->rowSelected());
    EXPECT_EQ(drain(), (std::vector<std::string>{"itemselect:macro_name_list", "itemclick:row_1",
                                                 "dbclick:row_1"}));
    list->remove(list->childAt(0));
    EXPECT_EQ(list->selectedIndex(), 1);
}

} // namespace
} // namespace morva::ui::test

namespace morva::ui::test {
namespace {

TEST_F(ControlsTest, AControlThePointerDoesNotReachDropsItsClicksButNotTheProgramsCalls) {
    auto* list = addControl<List>("macro_action_list");
    for (int i = 0; i < 2; ++i) {
        auto row = std::make_unique<ListContainerElement>();
        row->setName("macro_action");
        list->add(std::move(row));
    }
    auto* button = addControl<Button>("macro_btn_starredio");
    list->setMouseChildEnabled(false);
    button->setMouseEnabled(false);
    list->childAt(1)->event(UiEvent::of(EventType::Click));
    list->childAt(1)->event(UiEvent::of(EventType::ContextMenu));
    button->event(UiEvent::of(EventType::Click));
    EXPECT_EQ(list->selectedIndex(), -1);
    EXPECT_TRUE(drain().empty());
    // Nothing looks disabled, and the program still selects and activates.
    EXPECT_TRUE(list->childAt(1)->enabledInTree());
    EXPECT_TRUE(list->takesMouseInput());
    EXPECT_FALSE(list->childAt(1)->takesMouseInput());
    list->selectItem(1, false);
    EXPECT_TRUE(button->activate());
    EXPECT_EQ(drain(), (std::vector<std::string>{"click:macro_btn_starredio"}));

    list->setMouseChildEnabled(true);
    button->setMouseEnabled(true);
    list->childAt(0)->event(UiEvent::of(EventType::ContextMenu));
    button->event(UiEvent::of(EventType::Click));
    EXPECT_EQ(drain(),
              (std::vector<std::string>{"menu:macro_action", "click:macro_btn_starredio"}));
}

// Ten rows of 30 pixels in a list 100 pixels high.
std::unique_ptr<List> tallList() {
    auto list = std::make_unique<List>();
    for (int i = 0; i < 10; ++i) {
        auto row = std::make_unique<ListLabelElement>();
        row->setFixedHeight(30);
        list->add(std::move(row));
    }
    layoutControl(*list, {0, 50, 200, 150});
    return list;
}

TEST(ListScrolling, EnsureVisibleScrollsJustEnoughAndTheLayoutFollows) {
    auto list = tallList();
    EXPECT_FALSE(list->ensureVisible(2)); // rows 0..2 show already (the third one whole)
    EXPECT_TRUE(list->ensureVisible(9));
    EXPECT_EQ(list->scrollOffset(), 200);
    layoutControl(*list, list->layoutRect());
    EXPECT_EQ(list->childAt(9)->layoutRect(), (Rect{0, 120, 200, 150}));
    EXPECT_EQ(list->childAt(0)->layoutRect().top, 50 - 200);
    EXPECT_TRUE(list->ensureVisible(4)); // above the area now: it comes to the top
    EXPECT_EQ(list->scrollOffset(), 120);
    EXPECT_FALSE(list->ensureVisible(10));
}

TEST(ListScrolling, TheLayoutNeverScrollsPastTheLastRowNorAboveTheFirst) {
    auto list = tallList();
    list->setScrollOffset(10000);
    layoutControl(*list, list->layoutRect());
    EXPECT_EQ(list->childAt(9)->layoutRect().bottom, 150);
    list->scrollBy(-20000);
    EXPECT_EQ(list->scrollOffset(), 0);
    // A list whose rows all fit does not move.
    List shortList;
    shortList.add(std::make_unique<ListLabelElement>())->setFixedHeight(30);
    shortList.setScrollOffset(40);
    layoutControl(shortList, {0, 0, 100, 100});
    EXPECT_EQ(shortList.childAt(0)->layoutRect().top, 0);
    EXPECT_FALSE(List().ensureVisible(0));
}

} // namespace
} // namespace morva::ui::test
