#include "tests/controls/controls_fixture.h"
#include "ui/controls/cloud_share_list_item.h"
#include "ui/controls/combo_edit_container_element.h"
#include "ui/controls/wnd_ui.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/list.h"

#include <string>
#include <vector>

namespace morva::ui::test {
namespace {

// Two event rows in a list of the window.
class ComboEditRowTest : public ControlsTest {
protected:
    ComboEditRowTest() {
        list = place<List>("event_list");
        first = place<CComboEditContainerElementUI>("row_a", {}, list);
        second = place<CComboEditContainerElementUI>("row_b", {}, list);
        drain();
    }
    UiEvent key(int code, bool control = false) {
        UiEvent e = UiEvent::of(EventType::KeyDown);
        e.key = code;
        e.controlHeld = control;
        return e;
    }
    UiEvent press(bool control) {
        UiEvent e = UiEvent::of(EventType::ButtonDown);
        e.controlHeld = control;
        return e;
    }
    List* list = nullptr;
    CComboEditContainerElementUI* first = nullptr;
    CComboEditContainerElementUI* second = nullptr;
};

TEST_F(ComboEditRowTest, ARowInAWindowBuildsItsTwoTextsAndItsDelayField) {
    ASSERT_NE(first->text1(), nullptr);
    ASSERT_NE(first->text2(), nullptr);
    ASSERT_NE(first->delayEdit(), nullptr);
    EXPECT_TRUE(first->delayEdit()->numberOnly());
    EXPECT_EQ(first->delayEdit()->maxLength(), 6u);
    EXPECT_NE(first->text1(), second->text1()) << "each row has its own content";
    Edit* field = first->delayEdit();
    field->setName("renamed_delay");
    EXPECT_EQ(first->delayEdit(), field) << "the row keeps its field whatever its owner calls it";
    CComboEditContainerElementUI loose;
    EXPECT_EQ(loose.text1(), nullptr) << "outside a window nothing is built";
}

TEST_F(ComboEditRowTest, APressSelectsAndWithControlHeldTogglesAReleaseTellsItemclick) {
    second->event(press(false));
    EXPECT_EQ(list->selectedIndex(), 1);
    second->event(UiEvent::of(EventType::ButtonUp));
    EXPECT_EQ(drain(), (std::vector<std::string>{"itemselect:event_list", "itemclick:row_b"}));
    second->event(press(true));
    EXPECT_EQ(list->selectedIndex(), -1) << "a selected row pressed with Control lets go";
    first->event(press(true));
    EXPECT_EQ(list->selectedIndex(), 0) << "an unselected one is taken";
    drain();
    first->event(UiEvent::of(EventType::Click));
    EXPECT_TRUE(drain().empty()) << "the renderer's click adds nothing to the release";
}

TEST_F(ComboEditRowTest, EnterAndDoubleClickActivateEnterAlsoSendsReturn) {
    second->event(key(kKeyReturn));
    EXPECT_EQ(list->selectedIndex(), 1);
    EXPECT_EQ(drain(), (std::vector<std::string>{"itemselect:event_list", "return:row_b"}));
    second->event(key('A'));
    EXPECT_TRUE(drain().empty());
    first->event(UiEvent::of(EventType::DoubleClick));
    EXPECT_EQ(list->selectedIndex(), 0);
    EXPECT_EQ(drain(), (std::vector<std::string>{"itemselect:event_list", "dbclick:row_a"}));
}

TEST_F(ComboEditRowTest, AContextMenuIsAskedForOnlyWhenMenusAreOn) {
    first->event(UiEvent::of(EventType::ContextMenu));
    EXPECT_TRUE(drain().empty());
    EXPECT_TRUE(first->setAttribute("menu", "true"));
    first->event(UiEvent::of(EventType::ContextMenu));
    EXPECT_EQ(drain(), std::vector<std::string>{"menu:row_a"});
}

TEST_F(ComboEditRowTest, TimersAreToldHoverIsKeptAndStateImagesAreIgnored) {
    first->setTimer(7, 20);
    loop.advance(20);
    EXPECT_EQ(drain(), std::vector<std::string>{"timer:row_a"});
    first->event(UiEvent::of(EventType::MouseEnter));
    EXPECT_TRUE(first->hovered());
    first->event(UiEvent::of(EventType::MouseLeave));
    EXPECT_FALSE(first->hovered());
    for (const char* name : {"normalimage", "hotimage", "selectedimage"}) {
        EXPECT_TRUE(first->setAttribute(name, "x.png"));
        EXPECT_EQ(first->stateImage(name), "") << name;
    }
}

TEST_F(ComboEditRowTest, ADisabledRowIgnoresThePointerAndTheKeys) {
    first->setEnabled(false);
    first->event(press(false));
    first->event(UiEvent::of(EventType::ButtonUp));
    first->event(key(kKeyReturn));
    EXPECT_EQ(list->selectedIndex(), -1);
    EXPECT_TRUE(drain().empty());
}

TEST_F(ControlsTest, ACloudShareRowIsHotWhileHoveredAndAsksForItsMenu) {
    auto* row = place<CCloudShareListItemUI>("share_row");
    row->event(UiEvent::of(EventType::MouseEnter));
    EXPECT_TRUE(row->hovered());
    row->event(UiEvent::of(EventType::ContextMenu));
    row->event(UiEvent::of(EventType::MouseLeave));
    EXPECT_FALSE(row->hovered());
    EXPECT_EQ(drain(), std::vector<std::string>{"menu:share_row"});
}

// Records where the hosted window was put.
class RecordingWindow : public HostedWindow {
public:
    explicit RecordingWindow(bool child) : child_(child) {}
    bool childOfPaintWindow() const override { return child_; }
    void place(const Rect& rect, bool visible) override {
        placed.push_back(rect);
        shown.push_back(visible);
    }
    std::vector<Rect> placed;
    std::vector<bool> shown;

private:
    bool child_;
};

TEST_F(ControlsTest, AHostedWindowTakesTheControlsPlaceAndVisibility) {
    struct Case {
        bool child;
        bool visible;
        Rect expected;
    };
    const Case cases[] = {
        {true, true, {10, 20, 110, 70}},
        {false, true, {310, 420, 410, 470}}, // a top-level window is placed on the screen
        {true, false, {10, 20, 110, 70}},
    };
    for (const Case& c : cases) {
        auto* wndHost = place<CWndUI>("native_host", {10, 20, 110, 70});
        auto hosted = std::make_shared<RecordingWindow>(c.child);
        wndHost->attach(hosted);
        wndHost->setVisible(c.visible);
        wndHost->positionChanged({300, 400});
        ASSERT_EQ(hosted->placed.size(), 2u);
        EXPECT_EQ(hosted->placed.back(), c.expected);
        EXPECT_EQ(hosted->shown.back(), c.visible);
        rootBox->remove(wndHost);
    }
}

TEST_F(ControlsTest, AHostedWindowIsHiddenWithAHiddenParent) {
    auto* box = place<VerticalLayout>("box");
    auto* wndHost = place<CWndUI>("native_host", {0, 0, 10, 10}, box);
    auto hosted = std::make_shared<RecordingWindow>(true);
    wndHost->attach(hosted);
    box->setVisible(false);
    wndHost->positionChanged({});
    EXPECT_FALSE(hosted->shown.back());
}

} // namespace
} // namespace morva::ui::test
