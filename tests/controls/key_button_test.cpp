#include "tests/controls/controls_fixture.h"
#include "ui/controls/device_key_button.h"
#include "ui/controls/select_panel.h"

namespace morva::ui::test {
namespace {

// A select panel holding one key button at (40,40)-(60,60), dragged over by the pointer.
class SelectPanelTest : public ControlsTest {
protected:
    SelectPanelTest() {
        panel = place<CSelectPanelUI>("keys_panel", {0, 0, 200, 100});
        key = place<CDeviceKeyButtonUI>("key_1", {40, 40, 60, 60}, panel);
        drain();
    }
    void drag(Point from, Point to, bool move = true) {
        panel->event(at(EventType::ButtonDown, from));
        if (move) {
            panel->event(at(EventType::MouseMove, to));
        }
        panel->event(at(EventType::ButtonUp, to));
    }
    CSelectPanelUI* panel = nullptr;
    CDeviceKeyButtonUI* key = nullptr;
};

TEST_F(SelectPanelTest, ABandSelectsExactlyTheKeysItTouchesEdgesIncluded) {
    struct Case {
        const char* what;
        Point from;
        Point to;
        bool selected;
    };
    const Case cases[] = {
        {"ends on the left edge", {0, 0}, {40, 50}, true},
        {"ends one pixel short of the left edge", {0, 0}, {39, 50}, false},
        {"starts on the right edge, dragged rightwards", {60, 45}, {100, 90}, true},
        {"starts one pixel right of the right edge", {61, 45}, {100, 90}, false},
        {"touches the bottom edge from below, dragged upwards", {50, 90}, {55, 60}, true},
        {"lies inside the key", {45, 45}, {50, 50}, true},
        {"covers the key", {10, 10}, {150, 90}, true},
        {"passes above the key", {0, 0}, {150, 39}, false},
    };
    for (const Case& c : cases) {
        key->setBandSelected(!c.selected);
        drag(c.from, c.to);
        EXPECT_EQ(key->bandSelected(), c.selected) << c.what;
        EXPECT_EQ(drain(), std::vector<std::string>{"click_select_end:keys_panel"}) << c.what;
        EXPECT_FALSE(panel->dragging()) << c.what;
    }
}

TEST_F(SelectPanelTest, APressAndReleaseWithoutAMoveChangesNothingAndSendsNothing) {
    key->setBandSelected(true);
    drag({45, 45}, {45, 45}, /*move=*/false);
    EXPECT_TRUE(key->bandSelected());
    EXPECT_TRUE(drain().empty());
}

TEST_F(SelectPanelTest, WhileDraggingTheBandIsNormalisedBetweenPressAndPointer) {
    panel->event(at(EventType::ButtonDown, {90, 80}));
    panel->event(at(EventType::MouseMove, {20, 30}));
    EXPECT_TRUE(panel->dragging());
    EXPECT_EQ(panel->band(), (Rect{20, 30, 90, 80}));
}

TEST_F(SelectPanelTest, ADisabledPanelDrawsNoBand) {
    panel->setEnabled(false);
    key->setBandSelected(false);
    drag({0, 0}, {100, 90});
    EXPECT_FALSE(key->bandSelected());
    EXPECT_TRUE(drain().empty());
}

TEST_F(SelectPanelTest, AKeyButtonStartsAsRedAt200UnlitUnselected) {
    EXPECT_EQ(key->ledColour(), 0x0000FFu);
    EXPECT_EQ(key->ledIntensity(), 200);
    EXPECT_FALSE(key->lit());
    EXPECT_FALSE(key->keySelected());
    EXPECT_FALSE(key->bandSelected());
    EXPECT_TRUE(key->lightImage().empty());
    EXPECT_TRUE(key->keySetImage().empty());
}

TEST_F(SelectPanelTest, AKeyButtonTakesItsImagesAndAcceptsTheNameColour) {
    EXPECT_TRUE(key->setAttribute("lightimage", "keyboard/light.png"));
    EXPECT_TRUE(key->setAttribute("KeySetImage", "keyboard/mark.png"));
    EXPECT_TRUE(key->setAttribute("gmnametextcolor", "#FFFF0000"));
    EXPECT_EQ(key->lightImage(), "keyboard/light.png");
    EXPECT_EQ(key->keySetImage(), "keyboard/mark.png");
    EXPECT_FALSE(key->attribute("gmnametextcolor")) << "accepted and dropped";
}

TEST_F(SelectPanelTest, ADoubleClickOnAnEnabledKeySendsDbclick) {
    key->event(at(EventType::DoubleClick, {50, 50}));
    EXPECT_EQ(drain(), std::vector<std::string>{"dbclick:key_1"});
    key->setEnabled(false);
    key->event(at(EventType::DoubleClick, {50, 50}));
    EXPECT_TRUE(drain().empty());
}

} // namespace
} // namespace morva::ui::test
