#include "frontend/qt/smooth_reduction.h"
#include "picture_difference.h"

#include <QColor>
#include <QImage>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace morva::qt::test {
namespace {

QImage paintedBy(QSize size, const std::function<QRgb(int x, int y)>& colourAt) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, y, colourAt(x, y));
        }
    }
    return image;
}

QRgb grey(int level) {
    return qRgb(level, level, level);
}

TEST(SmoothReduction, KeepsSmoothPicturesAtAQuarterAndRefusesDetail) {
    constexpr int kFactor = 4;
    constexpr int kTolerance = 2;
    struct Case {
        std::string name;
        QImage picture;
        bool reduced;
    };
    const Case cases[] = {
        {"a slow vertical gradient",
         paintedBy({64, 48}, [](int, int y) { return grey(20 + y / 8); }), true},
        {"a slow diagonal gradient of colour and transparency",
         paintedBy({64, 64},
                   [](int x, int y) {
                       const int alpha = 200 + (x + y) / 8;
                       return qPremultiply(qRgba(0, 0x99, 0xFF, alpha));
                   }),
         true},
        {"a gradient whose size is no multiple of the blocks",
         paintedBy({66, 30}, [](int x, int) { return grey(30 + x / 10); }), true},
        {"a sharp edge", paintedBy({64, 48}, [](int x, int) { return grey(x < 32 ? 0 : 255); }),
         false},
        {"one bright pixel on a flat surface",
         paintedBy({64, 48}, [](int x, int y) { return grey(x == 9 && y == 9 ? 255 : 20); }),
         false},
        {"flat blocks three levels apart",
         paintedBy({64, 48}, [](int x, int) { return grey(x < 32 ? 20 : 23); }), false},
    };
    for (const Case& c : cases) {
        const std::optional<QImage> reduced = reducedIfSmooth(c.picture, kFactor, kTolerance);
        ASSERT_EQ(reduced.has_value(), c.reduced) << c.name;
        if (!reduced) {
            continue;
        }
        EXPECT_EQ(reduced->size(), QSize((c.picture.width() + kFactor - 1) / kFactor,
                                         (c.picture.height() + kFactor - 1) / kFactor))
            << c.name;
        // Enlarged block by block, as the painter draws it, it is the picture again.
        const QImage enlarged =
            reduced->scaled(c.picture.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        EXPECT_LE(largestDifference(enlarged, c.picture), 2 * kTolerance) << c.name;
    }
}

} // namespace
} // namespace morva::qt::test
