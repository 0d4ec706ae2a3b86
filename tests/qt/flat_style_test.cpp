#include "frontend/qt/flat_style.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>
#include <QStyleOption>
#include <gtest/gtest.h>

// The dark look's standard widgets, read back from their pixels: the flat slider and its
// pointer mapping, and the boxes of edits and combos with their focus colour.
namespace morva::qt::test {
namespace {

const QColor kGroove(look::kFieldBorder);
const QColor kFilled(look::kAccent);
const QColor kHandle(look::kText);
const QColor kField(look::kField);

class FlatStyleTest : public ::testing::Test {
protected:
    // The widget alone, in the look, at that size.
    template <typename W> void dress(W& widget, QSize size) {
        widget.setStyle(&style);
        widget.setPalette(darkPalette());
        widget.setFixedSize(size);
    }

    static QImage shot(QWidget& widget) { return widget.grab().toImage(); }

    FlatStyle style;
};

QStyleOptionSlider sliderOption(const QSlider& slider) {
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = slider.sliderPosition();
    option.sliderValue = slider.value();
    option.upsideDown = slider.invertedAppearance();
    return option;
}

TEST_F(FlatStyleTest, TheSlidersGrooveIsFilledUpToTheHandleFromItsStartingSide) {
    for (const bool backwards : {false, true}) {
        QSlider slider(Qt::Horizontal);
        dress(slider, {212, 20});
        slider.setRange(0, 100);
        slider.setValue(50);
        slider.setInvertedAppearance(backwards);
        const QImage image = shot(slider);
        const int middle = 10;
        // The handle's centre sits halfway along the 200 pixels it can travel.
        EXPECT_EQ(image.pixelColor(106, middle), kHandle) << "backwards " << backwards;
        const QColor nearStart = image.pixelColor(40, middle);
        const QColor nearEnd = image.pixelColor(170, middle);
        EXPECT_EQ(nearStart, backwards ? kGroove : kFilled) << "backwards " << backwards;
        EXPECT_EQ(nearEnd, backwards ? kFilled : kGroove) << "backwards " << backwards;
        EXPECT_NE(image.pixelColor(40, 2), nearStart) << "the groove is thin";
    }
}

TEST_F(FlatStyleTest, TheSlidersHandleTravelsTheWholeWidthLessItsOwn) {
    QSlider slider(Qt::Horizontal);
    dress(slider, {212, 20});
    slider.setRange(10, 30);
    const struct {
        int value;
        int left;
    } cases[] = {{10, 0}, {20, 100}, {30, 200}};
    for (const auto& c : cases) {
        slider.setValue(c.value);
        const QStyleOptionSlider option = sliderOption(slider);
        const QRect handle =
            style.subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider);
        EXPECT_EQ(handle, QRect(c.left, 0, FlatStyle::kSliderHandle, 20)) << "value " << c.value;
        EXPECT_EQ(
            style.subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, &slider),
            slider.rect());
    }
}

// A field's border pixel, its inside, with and without the keyboard focus.
TEST_F(FlatStyleTest, EditBoxesHaveABorderThatTakesTheAccentOnFocus) {
    QLineEdit edit;
    dress(edit, {120, 28});
    for (const bool focused : {false, true}) {
        QStyleOptionFrame option;
        option.initFrom(&edit);
        option.lineWidth = 1;
        option.state.setFlag(QStyle::State_HasFocus, focused);
        QImage image(edit.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter painter(&image);
        style.drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, &edit);
        painter.end();
        const QColor border = image.pixelColor(60, 0);
        EXPECT_EQ(border, QColor(focused ? look::kAccent : look::kFieldBorder))
            << "focused " << focused;
        EXPECT_EQ(image.pixelColor(60, 14), kField);
        EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black)) << "the corners are round";
    }
}

TEST_F(FlatStyleTest, ACombosBoxIsAFieldWithAChevronAtItsEnd) {
    QComboBox combo;
    dress(combo, {160, 28});
    const QImage image = shot(combo);
    EXPECT_EQ(image.pixelColor(80, 0), kGroove);
    EXPECT_EQ(image.pixelColor(80, 14), kField) << "no label: the inside is plain";
    int chevron = 0;
    for (int x = 120; x < 160; ++x) {
        for (int y = 4; y < 24; ++y) {
            chevron += image.pixelColor(x, y).lightness() > 150 ? 1 : 0;
        }
    }
    EXPECT_GT(chevron, 4) << "light chevron pixels at the right end";
}

} // namespace
} // namespace morva::qt::test
