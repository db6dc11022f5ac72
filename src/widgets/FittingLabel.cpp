#include "widgets/FittingLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace tiravo {

namespace {

bool Fits(const QFont& font, const QString& text, const QRect& area, int flags) {
    const QRect needed = QFontMetrics(font).boundingRect(area, flags, text);
    return needed.width() <= area.width() && needed.height() <= area.height();
}

} // namespace

QFont FittedFont(const QFont& font, const QString& text, const QRect& area, int flags) {
    if (text.isEmpty() || area.isEmpty() || Fits(font, text, area, flags))
        return font;
    QFont fitted = font;
    const bool inPixels = font.pixelSize() > 0;
    const int largest = inPixels ? font.pixelSize() : qRound(font.pointSizeF());
    const auto sized = [&](int size) {
        if (inPixels)
            fitted.setPixelSize(size);
        else
            fitted.setPointSize(size);
        return fitted;
    };
    // The smallest size is shown even when nothing fits: a cut text is still
    // better than none, and no label of the draws is that small.
    int low = 1;
    int high = largest - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (Fits(sized(middle), text, area, flags))
            low = middle;
        else
            high = middle - 1;
    }
    return sized(low);
}

FittingLabel::FittingLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
}

int FittingLabel::textFlags() const {
    return int(alignment()) | (wordWrap() ? int(Qt::TextWordWrap) : 0);
}

QFont FittingLabel::shownFont() const {
    return FittedFont(font(), text(), contentsRect(), textFlags());
}

void FittingLabel::paintEvent(QPaintEvent* event) {
    const QFont shown = shownFont();
    if (shown == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(shown);
    style()->drawItemText(&painter, contentsRect(), textFlags(), palette(), isEnabled(), text(),
                          foregroundRole());
}

} // namespace tiravo
