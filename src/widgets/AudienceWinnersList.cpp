#include "widgets/AudienceWinnersList.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace tiravo {

QRectF FitInto(QSizeF source, const QRectF& area) {
    const QSizeF size = source.scaled(area.size(), Qt::KeepAspectRatio);
    return {area.center() - QPointF(size.width(), size.height()) / 2, size};
}

void PaintWinnersList(QPainter& painter, const QRectF& area, const QList<AudienceWinner>& winners) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 170));
    painter.drawRoundedRect(area, 12, 12);

    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(44);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(0xff, 0xd4, 0x00));
    const QRectF titleRect(area.left(), area.top() + 12, area.width(), 64);
    painter.drawText(titleRect, Qt::AlignCenter, QStringLiteral("Premiados"));

    const bool photos = std::any_of(winners.begin(), winners.end(),
                                    [](const AudienceWinner& w) { return !w.picture.isNull(); });
    const qreal rowHeight = photos ? 148 : 88;
    QFont placeFont(QStringLiteral("Arial"));
    placeFont.setPixelSize(40);
    placeFont.setBold(true);
    QFont entryFont(QStringLiteral("Arial"));
    entryFont.setPixelSize(photos ? 36 : 48);
    entryFont.setBold(true);
    qreal top = titleRect.bottom() + 12;
    for (const AudienceWinner& winner : winners) {
        if (top + rowHeight > area.bottom() - 8)
            break;
        const QRectF row(area.left() + 20, top, area.width() - 40, rowHeight - 8);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 28));
        painter.drawRoundedRect(row, 8, 8);
        const QRectF placeRect(row.left() + 12, row.top(), 84, row.height());
        painter.setFont(placeFont);
        painter.setPen(QColor(0xff, 0xd4, 0x00));
        painter.drawText(placeRect, Qt::AlignVCenter | Qt::AlignLeft, winner.place);
        const QRectF rest(placeRect.right() + 8, row.top() + 6,
                          row.right() - placeRect.right() - 20, row.height() - 12);
        if (!winner.picture.isNull()) {
            QRectF photo = FitInto(winner.picture.size(), rest);
            photo.moveLeft(rest.left());
            painter.drawImage(photo, winner.picture);
        } else {
            // A long name is written smaller before it is cut short.
            QFont font = entryFont;
            while (font.pixelSize() > 28 &&
                   QFontMetricsF(font).horizontalAdvance(winner.entry) > rest.width())
                font.setPixelSize(font.pixelSize() - 2);
            painter.setFont(font);
            painter.setPen(Qt::white);
            const QString text =
                painter.fontMetrics().elidedText(winner.entry, Qt::ElideRight, int(rest.width()));
            painter.drawText(rest, Qt::AlignVCenter | Qt::AlignLeft, text);
        }
        top += rowHeight;
    }
    painter.restore();
}

} // namespace tiravo
