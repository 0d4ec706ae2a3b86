#include "frontend/qt/skin_pictures.h"
#include "picture_difference.h"
#include "qt_fixture.h"
#include "tests/support/temp_dir.h"
#include "ui/controls/device_key_button.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/layout.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <fstream>
#include <pugixml.hpp>

namespace morva::qt::test {
namespace {

std::filesystem::path sourceSkinFolder() {
    return std::filesystem::path(MORVA_SOURCE_DIR) / "resources" / "skin";
}

std::vector<std::filesystem::path> filesOf(const std::filesystem::path& folder,
                                           const std::string& extension) {
    std::vector<std::filesystem::path> out;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == extension) {
            out.push_back(entry.path());
        }
    }
    return out;
}

bool namesAPicture(std::string_view value) {
    return value.find(".svg") != std::string_view::npos ||
           value.find(".png") != std::string_view::npos;
}

// Every attribute of a skin file that names a picture, with where it stands.
std::vector<std::pair<std::string, std::string>> picturesNamedIn(const std::filesystem::path& xml) {
    pugi::xml_document document;
    EXPECT_TRUE(document.load_file(xml.c_str())) << xml;
    std::vector<std::pair<std::string, std::string>> out;
    for (const pugi::xpath_node& node : document.select_nodes("//*[@*]")) {
        for (const pugi::xml_attribute attribute : node.node().attributes()) {
            if (namesAPicture(attribute.value())) {
                out.emplace_back(attribute.value(), xml.filename().string() + ": " +
                                                        node.node().name() + " " +
                                                        attribute.name());
            }
        }
    }
    return out;
}

TEST(SkinPictureFiles, EverySvgParsesAndIsMadeOfShapesOnly) {
    const auto svgs = filesOf(sourceSkinFolder(), ".svg");
    ASSERT_FALSE(svgs.empty());
    for (const auto& file : svgs) {
        QSvgRenderer svg(QString::fromStdString(file.string()));
        EXPECT_TRUE(svg.isValid()) << file;
        EXPECT_FALSE(svg.defaultSize().isEmpty()) << file;
        std::ifstream in(file);
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(text.find("<image"), std::string::npos) << "an embedded bitmap in " << file;
    }
}

TEST(SkinPictureFiles, EveryPictureTheSkinFilesNameExists) {
    SkinPictures pictures;
    pictures.setFolder(sourceSkinFolder());
    size_t named = 0;
    for (const auto& xml : filesOf(sourceSkinFolder(), ".xml")) {
        for (const auto& [description, where] : picturesNamedIn(xml)) {
            std::error_code error;
            EXPECT_TRUE(std::filesystem::is_regular_file(pictures.fileOf(description), error))
                << description << " named in " << where;
            ++named;
        }
    }
    // The device pages alone name hundreds: a scan that finds none is broken.
    EXPECT_GT(named, 500u);
}

// Small pictures written for one test.
// The window's backgrounds are smooth gradients: each is kept at a quarter of its resolution and
// drawn without a visible difference; a drawing with edges is kept as drawn.
TEST(SkinPictureFiles, TheWindowBackgroundsAreKeptReducedAndDrawnAsTheyLook) {
    SkinPictures pictures;
    pictures.setFolder(sourceSkinFolder());
    const QRect window(0, 0, 1000, 640);
    for (const char* name :
         {"common/background.svg", "common/background_2.svg", "common/background_3.svg"}) {
        EXPECT_EQ(pictures.picture(name, window.size(), 1.0).size(), QSize(250, 160)) << name;

        QImage whole(window.size(), QImage::Format_ARGB32_Premultiplied);
        whole.fill(Qt::transparent);
        QPainter wholePainter(&whole);
        QSvgRenderer(QString::fromStdString((sourceSkinFolder() / name).string()))
            .render(&wholePainter, QRectF(window));
        wholePainter.end();

        QImage drawn(window.size(), QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        pictures.draw(painter, window, name);
        EXPECT_TRUE(painter.testRenderHint(QPainter::SmoothPixmapTransform))
            << "the painter's hints are left as they were";
        painter.end();
        EXPECT_LE(largestDifference(drawn, whole), 2) << name;
    }
    EXPECT_EQ(pictures.picture("common/no_device.svg", {420, 160}, 1.0).size(), QSize(420, 160))
        << "a picture with edges is kept as drawn";
}

class SkinPicturesTest : public ::testing::Test {
protected:
    SkinPicturesTest() { pictures.setFolder(dir.path()); }

    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir.path() / name) << text;
    }
    // A white disc in the middle of a 10 × 10 picture; the corners stay empty.
    void writeDisc(const std::string& name) {
        write(name, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\" "
                    "viewBox=\"0 0 10 10\"><circle cx=\"5\" cy=\"5\" r=\"3\" fill=\"#FFFFFF\"/>"
                    "</svg>");
    }

    morva::test::TempDir dir;
    SkinPictures pictures;
};

TEST(ImageDescription, ValuesAreReadByTheirKey) {
    struct Case {
        std::string_view description, key;
        std::optional<std::string> value;
    };
    for (const Case& c :
         {Case{"file='a/b.svg' fade='128'", "file", "a/b.svg"},
          Case{"file='a/b.svg' fade='128'", "fade", "128"},
          Case{"file='a.svg'", "fade", std::nullopt}, Case{"plain/path.svg", "file", std::nullopt},
          Case{"file='unterminated.svg", "file", "unterminated.svg"}}) {
        EXPECT_EQ(imageDescriptionValue(c.description, c.key), c.value)
            << c.description << " " << c.key;
    }
}

TEST_F(SkinPicturesTest, AnSvgIsDrawnAtItsBoxTimesThePixelRatio) {
    writeDisc("disc.svg");
    struct Case {
        QSize box;
        qreal ratio;
        QSize pixels;
    };
    for (const Case& c : {Case{{10, 10}, 1.0, {10, 10}}, Case{{20, 10}, 1.5, {30, 15}},
                          Case{{28, 28}, 2.0, {56, 56}}}) {
        const QPixmap picture = pictures.picture("disc.svg", c.box, c.ratio);
        EXPECT_EQ(picture.size(), c.pixels) << c.box.width() << "x" << c.box.height();
        EXPECT_DOUBLE_EQ(picture.devicePixelRatio(), c.ratio);
        const QImage image = picture.toImage();
        EXPECT_EQ(image.pixelColor(c.pixels.width() / 2, c.pixels.height() / 2), Qt::white);
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    }
}

TEST_F(SkinPicturesTest, EachFileAndSizeIsDrawnOnce) {
    writeDisc("disc.svg");
    const QPixmap first = pictures.picture("disc.svg", {16, 16}, 1.5);
    EXPECT_EQ(pictures.picture("file='disc.svg' corner='2,2,2,2'", {16, 16}, 1.5).cacheKey(),
              first.cacheKey());
    EXPECT_NE(pictures.picture("disc.svg", {16, 16}, 1.0).cacheKey(), first.cacheKey());
}

// Resizing a window draws its background at every size it passes through; only the pictures
// drawn lately are kept.
TEST_F(SkinPicturesTest, PicturesDrawnAtManySizesStayWithinTheBudget) {
    writeDisc("background.svg");
    QPixmap last;
    for (int step = 0; step < 60; ++step) {
        last = pictures.picture("background.svg", {1000 + step * 5, 640 + step * 2}, 1.0);
    }
    EXPECT_LE(pictures.drawnKiB(), SkinPictures::kDrawnBudgetKiB);
    EXPECT_GT(pictures.drawnKiB(), 0);
    EXPECT_EQ(pictures.picture("background.svg", {1295, 758}, 1.0).cacheKey(), last.cacheKey())
        << "the latest size is still kept";
}

TEST_F(SkinPicturesTest, ATintKeepsTheShapeAndTakesTheColour) {
    writeDisc("glow.svg");
    const QColor green(0x20, 0xC0, 0x40);
    const QImage tinted = pictures.tinted("glow.svg", {20, 20}, 1.0, green);
    ASSERT_EQ(tinted.size(), QSize(20, 20));
    EXPECT_EQ(tinted.pixelColor(10, 10), green);
    EXPECT_EQ(tinted.pixelColor(1, 1).alpha(), 0);
    // The shape itself is not coloured by the tint, and its soft edge is kept.
    const QImage shape = pictures.picture("glow.svg", {20, 20}, 1.0).toImage();
    EXPECT_EQ(shape.pixelColor(10, 10), Qt::white);
    int softEdge = 0;
    for (int y = 0; y < shape.height(); ++y) {
        for (int x = 0; x < shape.width(); ++x) {
            const int alpha = shape.pixelColor(x, y).alpha();
            EXPECT_NEAR(tinted.pixelColor(x, y).alpha(), alpha, 1) << x << "," << y;
            softEdge += alpha > 0 && alpha < 255 ? 1 : 0;
        }
    }
    EXPECT_GT(softEdge, 0) << "the disc has an antialiased edge to keep";
}

TEST_F(SkinPicturesTest, APngIsReadAsItIsAndAMissingPictureIsNull) {
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(QString::fromStdString((dir.path() / "plain.png").string())));
    EXPECT_EQ(pictures.picture("plain.png", {40, 30}, 2.0).size(), QSize(4, 3));
    EXPECT_TRUE(pictures.picture("missing.svg", {10, 10}, 1.0).isNull());
    EXPECT_TRUE(pictures.picture("missing.png", {10, 10}, 1.0).isNull());
    write("broken.svg", "<svg");
    EXPECT_TRUE(pictures.picture("broken.svg", {10, 10}, 1.0).isNull());
}

TEST_F(SkinPicturesTest, APngNameRecordedByAnEarlierVersionFindsTheSvgThatReplacedIt) {
    writeDisc("background_2.svg");
    const QPixmap picture = pictures.picture("background_2.png", {20, 20}, 1.0);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(20, 20));
    // A PNG that is there is read as it is.
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(QString::fromStdString((dir.path() / "disc.png").string())));
    writeDisc("disc.svg");
    EXPECT_EQ(pictures.picture("disc.png", {20, 20}, 1.0).size(), QSize(4, 3));
}

// A lit LED of a device picture shows its glow picture in its colour, as strong as its intensity.
class LedPaintTest : public QtTest {
protected:
    LedPaintTest() {
        win = window();
        auto root = std::make_unique<ui::VerticalLayout>();
        auto button = std::make_unique<ui::CDeviceKeyButtonUI>();
        button->setName("light_1");
        button->setBkImage("keyboard/keys/led_base_4x4.svg");
        button->setLightImage("keyboard/keys/led_glow_4x4.svg");
        button->setFixedWidth(28);
        button->setFixedHeight(28);
        led = button.get();
        root->add(std::move(button));
        win->setRoot(std::move(root));
        win->show();
        pump();
    }
    QColor middle() {
        QWidget* widget = renderer.widgetOf(*led);
        EXPECT_NE(widget, nullptr);
        if (widget == nullptr) {
            return {};
        }
        const QImage image = widget->grab().toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }

    std::unique_ptr<ui::Window> win;
    ui::CDeviceKeyButtonUI* led = nullptr;
};

TEST_F(LedPaintTest, TheGlowTakesTheColourAndIntensity) {
    const QColor dark = middle();
    EXPECT_LT(dark.red() + dark.green() + dark.blue(), 3 * 0x30);

    led->setLed(0x0000FF, 255, true); // red, in the device's BGR order
    pump();
    const QColor bright = middle();
    EXPECT_GT(bright.red(), 0xA0);
    EXPECT_LT(bright.green(), 0x40);
    EXPECT_LT(bright.blue(), 0x40);

    led->setLed(0x0000FF, 64, true);
    pump();
    const QColor dim = middle();
    EXPECT_GT(dim.red(), dark.red());
    EXPECT_LT(dim.red(), bright.red());

    led->setLed(0x0000FF, 255, false);
    pump();
    EXPECT_EQ(middle(), dark);
}

} // namespace
} // namespace morva::qt::test
