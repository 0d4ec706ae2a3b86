#pragma once

#include <QFont>
#include <QPointF>
#include <QRect>
#include <QStaticText>
#include <QString>

class QPainter;

namespace morva::qt {

// A widget's one-line text, laid out once for its box, alignment and font and then only
// drawn: a key repaints its caption with its LED twenty times a second, and laying the text out
// again on every repaint was the largest part of that.
class PreparedCaption {
public:
    // Draws `text` in `area` exactly as QPainter::drawText(area, flags, text) does, with the
    // painter's pen. Wrapped text (Qt::TextWordWrap) and text that does not fit its area are
    // left to drawText.
    void draw(QPainter& painter, const QRect& area, int flags, const QFont& font,
              const QString& text);

private:
    void prepare(const QRect& area, int flags, const QFont& font, const QString& text);

    QStaticText laidOut_;
    QString text_;
    QFont font_;
    QRect area_;
    int flags_ = 0;
    QPointF at_;
    bool fits_ = false;
    bool prepared_ = false;
};

} // namespace morva::qt
