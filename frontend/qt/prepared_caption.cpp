#include "frontend/qt/prepared_caption.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>
#include <QTransform>

namespace morva::qt {

void PreparedCaption::draw(QPainter& painter, const QRect& area, int flags, const QFont& font,
                           const QString& text) {
    if (!prepared_ || area != area_ || flags != flags_ || text != text_ || font != font_) {
        prepare(area, flags, font, text);
    }
    painter.setFont(font);
    if (fits_) {
        painter.drawStaticText(at_, laidOut_);
    } else {
        painter.drawText(area, flags, text);
    }
}

void PreparedCaption::prepare(const QRect& area, int flags, const QFont& font,
                              const QString& text) {
    text_ = text;
    font_ = font;
    area_ = area;
    flags_ = flags;
    prepared_ = true;

    fits_ = false;
    // Wrapped or several lines: drawText's own layout.
    if ((flags & Qt::TextWordWrap) != 0 || text.contains(QLatin1Char('\n'))) {
        return;
    }
    QTextOption option(Qt::Alignment(flags) & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::NoWrap);
    laidOut_ = QStaticText(text);
    laidOut_.setTextFormat(Qt::PlainText);
    laidOut_.setTextOption(option);
    laidOut_.setTextWidth(area.width());
    laidOut_.prepare(QTransform(), font);

    // drawText places one line by the font's line height, not by the laid-out glyphs.
    const qreal lineHeight = QFontMetricsF(font).height();
    fits_ = laidOut_.size().width() <= area.width() && lineHeight <= area.height();
    qreal top = area.top();
    if ((flags & Qt::AlignBottom) != 0) {
        top += area.height() - lineHeight;
    } else if ((flags & Qt::AlignVCenter) != 0) {
        top += (area.height() - lineHeight) / 2;
    }
    at_ = QPointF(area.left(), top);
}

} // namespace morva::qt
