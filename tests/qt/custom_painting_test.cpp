#include "qt_fixture.h"
#include "tests/support/temp_dir.h"
#include "ui/controls/chart_view.h"
#include "ui/controls/circle_progress.h"
#include "ui/controls/cloud_share_list_item.h"
#include "ui/controls/device_key_button.h"
#include "ui/controls/hand_img_button.h"
#include "ui/controls/select_panel.h"
#include "ui/toolkit/layout.h"

#include <QCursor>
#include <QImage>
#include <cmath>
#include <fstream>
#include <numbers>
#include <optional>

// The painting of the custom controls, read back from the widgets' pixels: a ring whose arc
// follows the value, charts whose bars and slices follow the data, a tile's delete mark, the
// hot border of a row and the key-set mark of a key.
namespace morva::qt::test {
namespace {

const QColor kBlue(0x10, 0x20, 0xF0);
const QColor kGreen(0x10, 0xE0, 0x30);
const QColor kRed(0xF0, 0x10, 0x20);

// Custom controls in a window of their own, drawn with pictures of plain colour.
class CustomPaintTest : public QtTest {
protected:
    CustomPaintTest() {
        renderer.setSkinFolder(pictures.path());
        writeSquare("blue.svg", kBlue);
        writeSquare("green.svg", kGreen);
        writeSquare("red.svg", kRed);
        // The pointer is moved in the tests, as events of the controls: the real one keeps away.
        QCursor::setPos(5000, 5000);
        win = window();
    }

    void writeSquare(const std::string& name, const QColor& colour) {
        std::ofstream(pictures.path() / name)
            << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\" "
               "viewBox=\"0 0 10 10\"><rect width=\"10\" height=\"10\" fill=\""
            << colour.name(QColor::HexRgb).toStdString() << "\"/></svg>";
    }

    // Shows the control alone in the window, at its fixed size in the top left corner.
    template <typename T> T* show(std::unique_ptr<T> control, int width, int height) {
        control->setFixedWidth(width);
        control->setFixedHeight(height);
        T* shown = control.get();
        auto root = std::make_unique<ui::VerticalLayout>();
        root->add(std::move(control));
        win->setRoot(std::move(root));
        win->show();
        pump();
        return shown;
    }

    QImage shot(const ui::Control& control) {
        pump();
        QWidget* widget = renderer.widgetOf(control);
        EXPECT_NE(widget, nullptr);
        return widget != nullptr ? widget->grab().toImage() : QImage();
    }

    morva::test::TempDir pictures;
    std::unique_ptr<ui::Window> win;
};

// The point at a distance from the centre, at an angle counted clockwise from twelve o'clock.
QPoint clockPoint(QPoint centre, double radius, double degrees) {
    const double radians = degrees * std::numbers::pi / 180.0;
    return centre + QPoint(static_cast<int>(std::lround(radius * std::sin(radians))),
                           static_cast<int>(std::lround(-radius * std::cos(radians))));
}

TEST_F(CustomPaintTest, TheRingIsForegroundFromTheTopClockwiseAsFarAsTheValueGoes) {
    auto made = std::make_unique<ui::CCircleProgressUI>();
    made->setBkColor(0xFF303030);
    ASSERT_TRUE(made->setAttribute("forecolor", "#FF10E030"));
    ASSERT_TRUE(made->setRange(0, 200));
    ui::CCircleProgressUI* ring = show(std::move(made), 100, 100);
    const QPoint centre(50, 50);
    const QColor background(0x30, 0x30, 0x30);
    for (const int value : {0, 50, 100, 150, 200}) {
        ring->setValue(value);
        const QImage image = shot(*ring);
        ASSERT_EQ(image.size(), QSize(100, 100));
        const double sweep = value / 200.0 * 360.0;
        // Samples in the middle of the ring, kept clear of the arc's ends.
        for (double degrees = 5; degrees < 360; degrees += 20) {
            const QColor expected = degrees < sweep ? kGreen : background;
            EXPECT_EQ(image.pixelColor(clockPoint(centre, 45, degrees)), expected)
                << "value " << value << " at " << degrees << " degrees";
        }
        EXPECT_EQ(image.pixelColor(centre), QColor(Qt::white)) << "the middle stays white";
        EXPECT_EQ(image.pixelColor(clockPoint(centre, 35, 30)), QColor(Qt::white))
            << "the ring is 10 pixels wide";
    }
}

// How many pixels of the column at x differ from its top pixel, the chart's background.
int columnHeight(const QImage& image, int x) {
    const QColor empty = image.pixelColor(x, 0);
    int height = 0;
    for (int y = 0; y < image.height(); ++y) {
        height += image.pixelColor(x, y) != empty ? 1 : 0;
    }
    return height;
}

TEST_F(CustomPaintTest, BarsStandInTheirSlotsAsHighAsTheirValues) {
    auto made = std::make_unique<ui::CChartViewUI>();
    made->setBkColor(0xFF000000);
    ASSERT_TRUE(made->setAttribute("view", "histpgram"));
    ASSERT_TRUE(made->setAttribute("showtext", "false"));
    const std::vector<double> values = {10, 40, 20, 0};
    for (size_t i = 0; i < values.size(); ++i) {
        made->add("item " + std::to_string(i), values[i]);
    }
    ui::CChartViewUI* chart = show(std::move(made), 400, 120);
    const QImage image = shot(*chart);
    ASSERT_EQ(image.size(), QSize(400, 120));
    const int tallest = columnHeight(image, 150);
    ASSERT_GT(tallest, 80) << "the largest value takes nearly the whole height";
    for (size_t i = 0; i < values.size(); ++i) {
        const int middle = static_cast<int>(i) * 100 + 50;
        EXPECT_NEAR(columnHeight(image, middle), tallest * values[i] / 40.0, 2) << "bar " << i;
        EXPECT_EQ(columnHeight(image, middle - 40), 0) << "bar " << i << " keeps to its slot";
    }
}

TEST_F(CustomPaintTest, PieSlicesFollowEachOtherClockwiseFromTheTopInTheirShares) {
    auto made = std::make_unique<ui::CChartViewUI>();
    made->setBkColor(0xFF000000);
    ASSERT_TRUE(made->setAttribute("view", "pie"));
    ASSERT_TRUE(made->setAttribute("showtext", "false"));
    made->add("small", 1);
    made->add("large", 3);
    ui::CChartViewUI* chart = show(std::move(made), 104, 104);
    const QImage image = shot(*chart);
    const QPoint centre(52, 52);
    const QColor first = image.pixelColor(clockPoint(centre, 30, 45));
    const QColor second = image.pixelColor(clockPoint(centre, 30, 180));
    EXPECT_NE(first, QColor(Qt::black));
    EXPECT_NE(second, QColor(Qt::black));
    EXPECT_NE(first, second);
    // The first quarter is the small item's, the other three the large one's.
    for (double degrees = 5; degrees < 360; degrees += 20) {
        EXPECT_EQ(image.pixelColor(clockPoint(centre, 30, degrees)), degrees < 90 ? first : second)
            << degrees << " degrees";
    }
}

TEST_F(CustomPaintTest, ATilesDeleteMarkShowsOnlyUnderThePointerAndTurnsHotOnTheMark) {
    auto made = std::make_unique<ui::CHandImgButtonUI>();
    ASSERT_TRUE(made->setAttribute("handimage", "blue.svg"));
    ASSERT_TRUE(made->setAttribute("deletenormalimage", "green.svg"));
    ASSERT_TRUE(made->setAttribute("deletehotimage", "red.svg"));
    ui::CHandImgButtonUI* tile = show(std::move(made), 100, 60);
    ASSERT_EQ(tile->deleteArea(), (ui::Rect{70, 31, 90, 51}));
    const QPoint onMark(80, 41);
    const QPoint onHand(30, 20);
    struct Step {
        const char* what;
        std::optional<ui::EventType> pointer; // none: the tile as it was made
        ui::Point at;
        QColor mark;
    };
    const Step steps[] = {
        {"at rest", std::nullopt, {}, kBlue},
        {"pointer on the hand", ui::EventType::MouseEnter, {30, 20}, kGreen},
        {"pointer on the mark", ui::EventType::MouseMove, {80, 41}, kRed},
        {"pointer off the mark", ui::EventType::MouseMove, {20, 41}, kGreen},
        {"pointer gone", ui::EventType::MouseLeave, {200, 200}, kBlue},
    };
    for (const Step& step : steps) {
        if (step.pointer) {
            ui::UiEvent e = ui::UiEvent::of(*step.pointer);
            e.point = step.at;
            tile->event(e);
        }
        const QImage image = shot(*tile);
        EXPECT_EQ(image.pixelColor(onMark), step.mark) << step.what;
        EXPECT_EQ(image.pixelColor(onHand), kBlue) << step.what << ": the hand fills the tile";
    }
}

TEST_F(CustomPaintTest, ARowHasItsOnePixelBorderOnlyWhileHovered) {
    auto made = std::make_unique<ui::CCloudShareListItemUI>();
    made->setBkColor(0xFF202020);
    ui::CCloudShareListItemUI* row = show(std::move(made), 200, 30);
    const QColor plain(0x20, 0x20, 0x20);
    const QPoint edges[] = {{0, 15}, {199, 15}, {100, 0}, {100, 29}};
    const QPoint inside[] = {{1, 15}, {100, 1}, {100, 15}, {198, 28}};

    for (const QPoint at : edges) {
        EXPECT_EQ(shot(*row).pixelColor(at), plain) << at.x() << "," << at.y() << " before";
    }
    row->event(ui::UiEvent::of(ui::EventType::MouseEnter));
    const QImage hot = shot(*row);
    const QColor border = hot.pixelColor(0, 0);
    EXPECT_NE(border, plain);
    for (const QPoint at : edges) {
        EXPECT_EQ(hot.pixelColor(at), border) << at.x() << "," << at.y();
    }
    for (const QPoint at : inside) {
        EXPECT_EQ(hot.pixelColor(at), plain) << at.x() << "," << at.y() << " is no border";
    }
    row->event(ui::UiEvent::of(ui::EventType::MouseLeave));
    EXPECT_EQ(shot(*row).pixelColor(0, 15), plain) << "the border goes with the pointer";
}

TEST_F(CustomPaintTest, TheKeySetMarkCoversOnlyTheKeyThePanelShows) {
    auto made = std::make_unique<ui::CDeviceKeyButtonUI>();
    ASSERT_TRUE(made->setAttribute("normalimage", "blue.svg"));
    ASSERT_TRUE(made->setAttribute("keysetimage", "red.svg"));
    ui::CDeviceKeyButtonUI* key = show(std::move(made), 28, 28);
    const QPoint middle(14, 14);
    EXPECT_EQ(shot(*key).pixelColor(middle), kBlue);
    key->setKeySelected(true);
    EXPECT_EQ(shot(*key).pixelColor(middle), kRed);
    key->setLed(0x00FF00, 255, true); // lit green, under the mark
    EXPECT_EQ(shot(*key).pixelColor(middle), kRed);
    key->setKeySelected(false);
    const QColor lit = shot(*key).pixelColor(middle);
    EXPECT_GT(lit.green(), 0xA0) << "the LED shows once the mark is gone";
    EXPECT_LT(lit.red(), 0x40);
}

// The panel of a device picture paints its LEDs and keys itself, so each must still show as it
// would on its own: in stacking order, and only while shown.
TEST_F(CustomPaintTest, ASelectPanelPaintsItsLedsWithTheKeysAboveThem) {
    // A cap over the left half of its key, so the LED beneath shows on the right.
    std::ofstream(pictures.path() / "left_cap.svg")
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\" "
           "viewBox=\"0 0 10 10\"><rect width=\"5\" height=\"10\" fill=\""
        << kBlue.name(QColor::HexRgb).toStdString() << "\"/></svg>";
    auto made = std::make_unique<ui::CSelectPanelUI>();
    made->setBkColor(0xFF000000);
    auto place = [&made](const std::string& name, const ui::Rect& pos) {
        auto button = std::make_unique<ui::CDeviceKeyButtonUI>();
        button->setName(name);
        button->setFloating(true);
        button->setPos(pos);
        ui::CDeviceKeyButtonUI* placed = button.get();
        made->add(std::move(button));
        return placed;
    };
    ui::CDeviceKeyButtonUI* led = place("light_0", {10, 5, 38, 33});
    ui::CDeviceKeyButtonUI* key = place("key_0", {10, 5, 38, 33});
    ui::CDeviceKeyButtonUI* hiddenLed = place("light_1", {50, 5, 78, 33});
    led->setLightImage("green.svg");
    hiddenLed->setLightImage("green.svg");
    ASSERT_TRUE(key->setAttribute("normalimage", "left_cap.svg"));
    ui::CSelectPanelUI* panel = show(std::move(made), 100, 40);
    hiddenLed->setVisible(false); // its widget stays, hidden
    // The window's first focus would veil the LED.
    renderer.widgetOf(*led)->clearFocus();

    led->setLed(0x0000FF, 255, true);       // red, in the device's BGR order
    hiddenLed->setLed(0x00FF00, 255, true); // green
    const QImage lit = shot(*panel);
    EXPECT_EQ(lit.pixelColor(16, 19), kBlue) << "the cap lies over its LED";
    EXPECT_EQ(lit.pixelColor(32, 19), QColor(0xFF, 0, 0)) << "the LED shows beside the cap";
    EXPECT_EQ(lit.pixelColor(64, 19), QColor(0, 0, 0)) << "a hidden LED is not painted";

    led->setLed(0x0000FF, 255, false);
    EXPECT_EQ(shot(*panel).pixelColor(32, 19), QColor(0, 0, 0)) << "the panel repaints the LED";
}

} // namespace
} // namespace morva::qt::test
