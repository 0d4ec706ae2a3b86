#include "tests/controls/controls_fixture.h"
#include "ui/controls/hand_img_button.h"
#include "ui/controls/hand_img_select_button.h"

#include <string>

namespace morva::ui::test {
namespace {

// A 100 × 80 tile at the window's origin: its delete mark is (70,51)-(90,71) at 96 DPI.
class HandImgButtonTest : public ControlsTest {
protected:
    HandImgButtonTest() {
        tile = place<CHandImgButtonUI>("tile", {0, 0, 100, 80});
        tile->setAttribute("deletenormalimage", "common/delete.png");
        tile->setAttribute("deletehotimage", "common/delete_hot.png");
        tile->setAttribute("handimage", "common/hand.png");
        drain();
    }
    CHandImgButtonUI* tile = nullptr;
};

TEST_F(HandImgButtonTest, AClickOnTheMarkDeletesAndAnyOtherClickClicks) {
    struct Case {
        int dpi;
        Point point;
        const char* sent;
    };
    const Case cases[] = {
        {96, {75, 55}, "click_handdelete:tile"},
        {96, {70, 51}, "click_handdelete:tile"}, // the mark's top left pixel
        {96, {89, 70}, "click_handdelete:tile"}, // its bottom right pixel
        {96, {69, 55}, "click:tile"},
        {96, {90, 55}, "click:tile"},
        {96, {75, 50}, "click:tile"},
        {96, {75, 71}, "click:tile"},
        {96, {20, 20}, "click:tile"},
        // At 144 DPI the mark is 30 pixels square, 45 from the right and 44 above the bottom.
        {144, {55, 36}, "click_handdelete:tile"},
        {144, {54, 36}, "click:tile"},
        {144, {84, 65}, "click_handdelete:tile"},
        {144, {85, 65}, "click:tile"},
    };
    for (const Case& c : cases) {
        window.setDpi(c.dpi);
        tile->event(at(EventType::Click, c.point));
        EXPECT_EQ(drain(), std::vector<std::string>{c.sent})
            << c.dpi << " DPI at " << c.point.x << "," << c.point.y;
    }
}

TEST_F(HandImgButtonTest, ADisabledTileSendsNeitherClickNorDelete) {
    tile->setEnabled(false);
    tile->event(at(EventType::Click, {75, 55}));
    tile->event(at(EventType::Click, {20, 20}));
    EXPECT_TRUE(drain().empty());
}

TEST_F(HandImgButtonTest, TheMarkTurnsHotUnderThePointerAndEnterAndLeaveAreTold) {
    EXPECT_EQ(tile->shownDeleteImage(), "") << "no mark before the pointer comes";
    tile->event(at(EventType::MouseEnter, {10, 10}));
    EXPECT_EQ(tile->shownDeleteImage(), "common/delete.png");
    tile->event(at(EventType::MouseMove, {80, 60}));
    EXPECT_TRUE(tile->pointerOnDelete());
    EXPECT_EQ(tile->shownDeleteImage(), "common/delete_hot.png");
    tile->event(at(EventType::MouseMove, {60, 60}));
    EXPECT_EQ(tile->shownDeleteImage(), "common/delete.png");
    tile->event(at(EventType::MouseLeave, {120, 60}));
    EXPECT_EQ(tile->shownDeleteImage(), "");
    EXPECT_EQ(drain(), (std::vector<std::string>{"msenter:tile", "msleave:tile"}));
    EXPECT_EQ(tile->handImage(), "common/hand.png");
}

class HandImgSelectButtonTest : public ControlsTest {
protected:
    HandImgSelectButtonTest() {
        button = place<CHandImgSelectButtonUI>("hand", {0, 0, 100, 100});
        drain();
    }
    CHandImgSelectButtonUI* button = nullptr;
};

TEST_F(HandImgSelectButtonTest, TheCursorAttributeTakesTheStandardCursorNamesOnly) {
    EXPECT_EQ(button->cursor(), "arrow");
    const char* names[] = {"arrow",    "ibeam",    "wait",   "cross",  "uparrow", "size", "icon",
                           "sizenwse", "sizenesw", "sizewe", "sizens", "sizeall", "no",   "hand"};
    for (const char* name : names) {
        EXPECT_TRUE(button->setAttribute("cursor", name)) << name;
        EXPECT_EQ(button->cursor(), name);
    }
    EXPECT_EQ(button->cursorNames().size(), std::size(names));
    EXPECT_TRUE(button->setAttribute("cursor", "SizeWE")) << "names compare without case";
    EXPECT_EQ(button->cursor(), "sizewe");
    for (const char* wrong : {"pointer", "", "hand2"}) {
        EXPECT_FALSE(button->setAttribute("cursor", wrong)) << wrong;
        EXPECT_EQ(button->cursor(), "sizewe") << wrong;
    }
}

TEST_F(HandImgSelectButtonTest, TheHandFollowsThePointerOnlyWhilePressed) {
    button->event(at(EventType::MouseMove, {30, 30}));
    EXPECT_FALSE(button->pressPoint());
    EXPECT_EQ(button->handPoint(), (Point{0, 0}));
    button->event(at(EventType::ButtonDown, {10, 20}));
    EXPECT_EQ(button->pressPoint(), (Point{10, 20}));
    button->event(at(EventType::MouseMove, {40, 50}));
    EXPECT_EQ(button->handPoint(), (Point{40, 50}));
    button->event(at(EventType::ButtonUp, {40, 50}));
    button->event(at(EventType::MouseMove, {70, 70}));
    EXPECT_FALSE(button->pressPoint());
    EXPECT_EQ(button->handPoint(), (Point{40, 50}));
}

TEST_F(HandImgSelectButtonTest, EnterAndLeaveAreToldAndAClickClicks) {
    button->setAttribute("handimage", "common/hand.png");
    button->event(at(EventType::MouseEnter, {5, 5}));
    button->event(at(EventType::Click, {5, 5}));
    button->event(at(EventType::MouseLeave, {150, 5}));
    EXPECT_EQ(drain(), (std::vector<std::string>{"msenter:hand", "click:hand", "msleave:hand"}));
    EXPECT_EQ(button->handImage(), "common/hand.png");
}

} // namespace
} // namespace morva::ui::test
