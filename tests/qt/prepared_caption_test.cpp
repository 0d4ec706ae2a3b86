#include "frontend/qt/prepared_caption.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

// A prepared caption looks exactly as the painter's own text drawing does, for every alignment,
// and leaves to it what it cannot prepare: wrapped text and text too big for its box.
namespace morva::qt::test {
namespace {

QImage blank(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    return image;
}

TEST(PreparedCaption, DrawsWhatDrawTextDraws) {
    const struct {
        const char* text;
        QSize box;
        int flags;
        int pixelSize;
    } cases[] = {
        {"Controlling lights", {150, 28}, Qt::AlignCenter, 13},
        {"Esc", {30, 21}, Qt::AlignCenter, 11},
        {"PgUp", {28, 20}, Qt::AlignHCenter | Qt::AlignVCenter, 12},
        {"Brightness", {100, 29}, Qt::AlignLeft | Qt::AlignVCenter, 16},
        {"Right to left", {120, 30}, Qt::AlignRight | Qt::AlignTop, 14},
        {"Backspace", {90, 31}, Qt::AlignLeft | Qt::AlignBottom, 13},
        {"控制灯光", {90, 28}, Qt::AlignCenter, 14},
        // Left to drawText:
        {"A caption much too wide for its box", {60, 28}, Qt::AlignCenter, 13},
        {"Tall", {60, 8}, Qt::AlignCenter, 13},
        {"Words that wrap onto a second line", {90, 60}, Qt::AlignLeft | Qt::TextWordWrap, 12},
        {"Two\nlines", {90, 60}, Qt::AlignCenter, 12},
    };
    for (const auto& c : cases) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(c.pixelSize);
        const QRect area(QPoint(7, 5), c.box);
        const QSize canvas = c.box + QSize(14, 10);
        const QString text = QString::fromUtf8(c.text);

        QImage expected = blank(canvas);
        QPainter reference(&expected);
        reference.setPen(Qt::white);
        reference.setFont(font);
        reference.drawText(area, c.flags, text);
        reference.end();

        PreparedCaption caption;
        QImage drawn = blank(canvas);
        QPainter painter(&drawn);
        painter.setPen(Qt::white);
        caption.draw(painter, area, c.flags, font, text);
        painter.end();
        EXPECT_EQ(drawn, expected) << c.text;

        // Drawn again from what it prepared, and again after the box changed.
        drawn = blank(canvas);
        painter.begin(&drawn);
        painter.setPen(Qt::white);
        caption.draw(painter, area, c.flags, font, text);
        const QRect moved = area.translated(0, 1).adjusted(0, 0, 0, -1);
        caption.draw(painter, moved, c.flags, font, text);
        painter.end();
        expected = blank(canvas);
        reference.begin(&expected);
        reference.setPen(Qt::white);
        reference.setFont(font);
        reference.drawText(area, c.flags, text);
        reference.drawText(moved, c.flags, text);
        reference.end();
        EXPECT_EQ(drawn, expected) << c.text << " drawn twice";
    }
}

} // namespace
} // namespace morva::qt::test
