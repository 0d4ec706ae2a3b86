#include "base/program_identity.h"
#include "frontend/qt/desktop_identity.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace morva::qt {
namespace {

TEST(DesktopIdentity, TheIconIsDrawnAtTheAskedSizesFromTheBuiltInPicture) {
    const QIcon icon = programIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 48, 256}) {
        SCOPED_TRACE(size);
        // The corners are transparent and the middle is painted: a picture, not a blank square.
        const QPixmap pixmap = icon.pixmap(size, size);
        ASSERT_EQ(pixmap.size(), QSize(size, size));
        EXPECT_EQ(icon.pixmap(size, size).cacheKey(), pixmap.cacheKey()) << "drawn once";
        const QImage image = pixmap.toImage();
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
    }
}

TEST(DesktopIdentity, TheDesktopMatchesTheProgramByItsIdAndClass) {
    identifyToDesktop();
    EXPECT_EQ(QGuiApplication::desktopFileName().toStdString(), desktopId());
    EXPECT_EQ(QGuiApplication::applicationName(), "morva");
    EXPECT_EQ(QGuiApplication::applicationVersion().toStdString(), programVersion());
    EXPECT_FALSE(QGuiApplication::windowIcon().isNull());
}

} // namespace
} // namespace morva::qt
