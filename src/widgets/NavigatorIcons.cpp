#include "widgets/NavigatorIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tiravo {

namespace {

constexpr int kSize = 16; // the glyph is drawn on a 16 by 16 grid
constexpr qreal kScale = 2.0;

QPainterPath Triangle(qreal tipX, qreal baseX, qreal halfHeight) {
    QPainterPath path;
    path.moveTo(baseX, 8 - halfHeight);
    path.lineTo(tipX, 8);
    path.lineTo(baseX, 8 + halfHeight);
    path.closeSubpath();
    return path;
}

void Draw(QPainter& p, NavigatorButton which) {
    const QColor ink(Qt::black);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    switch (which) {
    case NavigatorButton::First:
        p.drawRect(QRectF(4, 4, 1.5, 8));
        p.drawPath(Triangle(6, 11, 4));
        break;
    case NavigatorButton::Prior:
        p.drawPath(Triangle(5, 10, 4));
        break;
    case NavigatorButton::Next:
        p.drawPath(Triangle(11, 6, 4));
        break;
    case NavigatorButton::Last:
        p.drawPath(Triangle(10, 5, 4));
        p.drawRect(QRectF(10.5, 4, 1.5, 8));
        break;
    case NavigatorButton::Insert:
        p.drawRect(QRectF(7, 3.5, 2, 9));
        p.drawRect(QRectF(3.5, 7, 9, 2));
        break;
    case NavigatorButton::Delete:
        p.drawRect(QRectF(3.5, 7, 9, 2));
        break;
    case NavigatorButton::Edit: {
        QPainterPath up;
        up.moveTo(4, 11);
        up.lineTo(8, 5);
        up.lineTo(12, 11);
        up.closeSubpath();
        p.drawPath(up);
        break;
    }
    case NavigatorButton::Post: {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawPolyline(QPolygonF({QPointF(3.5, 8.5), QPointF(6.5, 11.5), QPointF(12.5, 4.5)}));
        break;
    }
    case NavigatorButton::Cancel:
        p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
        p.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
        break;
    case NavigatorButton::Refresh: {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::FlatCap));
        const QRectF circle(3.5, 3.5, 9, 9);
        p.drawArc(circle, 60 * 16, 270 * 16);
        QPainterPath head;
        head.moveTo(9.5, 1.5);
        head.lineTo(13, 4.2);
        head.lineTo(9, 6.5);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPath(head);
        break;
    }
    }
}

} // namespace

QIcon NavigatorIcon(NavigatorButton which) {
    QPixmap pixmap(static_cast<int>(kSize * kScale), static_cast<int>(kSize * kScale));
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(kScale, kScale);
        Draw(painter, which);
    }
    pixmap.setDevicePixelRatio(kScale);
    return QIcon(pixmap);
}

} // namespace tiravo
