#include "Artwork.h"
#include "Style.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <array>

namespace tiravo::artwork {

namespace {

// Every toolbar picture is drawn on a 48-unit grid and scaled, so the same
// drawing serves the toolbar and an enlarged proof sheet. A thin dark edge
// around each shape keeps it legible on any toolbar colour.
struct IconPainter {
    QImage image;
    QPainter painter;

    explicit IconPainter(int size) : image(transparentCanvas({size, size})), painter(&image) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 48.0, size / 48.0);
    }
    QImage finish() {
        painter.end();
        return image;
    }
    void shadow(const QPainterPath& shape, qreal spread = 1.0) {
        const qreal k = image.width() / 48.0;
        drawSoftShadow(painter, shape, image.size(), {0.6 * spread, 1.0 * spread},
                       qMax(1, qRound(k)), QColor(0, 0, 0, 70));
    }
};

QLinearGradient vertical(const QRectF& box, const QColor& top, const QColor& bottom) {
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0.0, top);
    g.setColorAt(1.0, bottom);
    return g;
}

QPainterPath roundedRect(const QRectF& r, qreal radius) {
    QPainterPath p;
    p.addRoundedRect(r, radius, radius);
    return p;
}

} // namespace

QImage paintCardsIcon(int size) {
    IconPainter icon(size);
    QPainter& p = icon.painter;
    // Side by side and only just overlapping, so each number stays whole at
    // toolbar size; the middle card stands in front.
    struct Card {
        QPointF centre;
        qreal angle;
        qreal digitShift; // away from the middle card, which covers the inner edge
        int number;
        QColor ink;
    };
    const std::array<Card, 3> order = {Card{{10.5, 26}, -10, -1.2, 1, QColor(200, 40, 40)},
                                       Card{{37.5, 26}, 10, 1.2, 3, QColor(30, 130, 60)},
                                       Card{{24, 23}, 0, 0, 2, QColor(26, 84, 196)}};
    const QRectF card(-8, -12, 16, 24);
    for (const Card& c : order) {
        QTransform t;
        t.translate(c.centre.x(), c.centre.y());
        t.rotate(c.angle);
        const QPainterPath shape = t.map(roundedRect(card, 2.5));
        icon.shadow(shape);
        p.setPen(QPen(QColor(70, 80, 100), 1.2));
        p.setBrush(vertical(shape.boundingRect(), Qt::white, QColor(226, 230, 238)));
        p.drawPath(shape);
        const QPainterPath digit =
            t.map(centredText(QString::number(c.number), dejaVu(14), {c.digitShift, 0}));
        p.fillPath(digit, c.ink);
    }
    return icon.finish();
}

QImage paintPencilIcon(int size) {
    IconPainter icon(size);
    QPainter& p = icon.painter;

    QPainterPath sheet;
    sheet.moveTo(6, 4);
    sheet.lineTo(29, 4);
    sheet.lineTo(37, 12);
    sheet.lineTo(37, 44);
    sheet.lineTo(6, 44);
    sheet.closeSubpath();
    icon.shadow(sheet);
    p.setPen(QPen(QColor(90, 100, 120), 1.2, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(vertical(sheet.boundingRect(), Qt::white, QColor(232, 236, 242)));
    p.drawPath(sheet);
    QPainterPath fold;
    fold.moveTo(29, 4);
    fold.lineTo(29, 12);
    fold.lineTo(37, 12);
    p.setBrush(QColor(210, 216, 228));
    p.drawPath(fold);

    p.setPen(QPen(QColor(160, 180, 210), 1.4, Qt::SolidLine, Qt::RoundCap));
    for (qreal y : {17.0, 22.5, 28.0})
        p.drawLine(QPointF(11, y), QPointF(32, y));
    // The line being written: a loose blue scribble that ends at the point.
    QPainterPath scribble;
    scribble.moveTo(11, 34.5);
    scribble.cubicTo(13, 31, 15, 37, 17, 34);
    scribble.cubicTo(19, 31, 21, 37, 23, 34);
    p.setPen(QPen(QColor(26, 84, 196), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(scribble);

    // The pencil lies from the top right down to the end of the scribble.
    QTransform t;
    t.translate(23.5, 34.5);
    t.rotate(-45);
    const qreal length = 32;
    const qreal half = 4.2;
    QPainterPath body;
    body.addRect(QRectF(7, -half, length - 12, 2 * half));
    QPainterPath eraser;
    eraser.addRoundedRect(QRectF(length - 5, -half, 6, 2 * half), 1.5, 1.5);
    QPainterPath band;
    band.addRect(QRectF(length - 6.5, -half, 2.5, 2 * half));
    QPainterPath wood;
    wood.moveTo(0, 0);
    wood.lineTo(7, -half);
    wood.lineTo(7, half);
    wood.closeSubpath();
    QPainterPath lead;
    lead.moveTo(0, 0);
    lead.lineTo(2.6, -half * 0.37);
    lead.lineTo(2.6, half * 0.37);
    lead.closeSubpath();

    icon.shadow(t.map(body.united(eraser).united(wood)));
    const QPen edge(QColor(90, 70, 30), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin);
    p.setPen(edge);
    QLinearGradient yellow(t.map(QPointF(0, -half)), t.map(QPointF(0, half)));
    yellow.setColorAt(0.0, QColor(255, 222, 90));
    yellow.setColorAt(0.5, QColor(250, 196, 40));
    yellow.setColorAt(1.0, QColor(214, 150, 20));
    p.setBrush(yellow);
    p.drawPath(t.map(body));
    p.setBrush(QColor(236, 130, 150));
    p.drawPath(t.map(eraser));
    p.setBrush(QColor(180, 184, 192));
    p.drawPath(t.map(band));
    p.setBrush(QColor(238, 200, 150));
    p.drawPath(t.map(wood));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 50, 60));
    p.drawPath(t.map(lead));
    return icon.finish();
}

QImage paintPeopleIcon(int size) {
    IconPainter icon(size);
    QPainter& p = icon.painter;
    const auto person = [&](QPointF head, qreal scale, const QColor& colour) {
        QPainterPath shape;
        shape.addEllipse(head, 7.2 * scale, 7.2 * scale);
        QPainterPath body;
        const qreal top = head.y() + 9 * scale;
        const qreal half = 13 * scale;
        body.moveTo(head.x() - half, top + 17 * scale);
        body.lineTo(head.x() - half, top + 8 * scale);
        body.cubicTo(head.x() - half, top + 1 * scale, head.x() - 7 * scale, top, head.x(), top);
        body.cubicTo(head.x() + 7 * scale, top, head.x() + half, top + 1 * scale, head.x() + half,
                     top + 8 * scale);
        body.lineTo(head.x() + half, top + 17 * scale);
        body.quadTo(head.x(), top + 19 * scale, head.x() - half, top + 17 * scale);
        shape = shape.united(body);
        icon.shadow(shape);
        QRadialGradient shade(head + QPointF(-3 * scale, -2 * scale), 30 * scale);
        shade.setColorAt(0.0, colour.lighter(140));
        shade.setColorAt(1.0, colour.darker(130));
        p.setPen(QPen(colour.darker(170), 1.2));
        p.setBrush(shade);
        p.drawPath(shape);
    };
    person({31, 11.5}, 0.92, QColor(70, 160, 110));
    person({18, 17}, 1.0, QColor(50, 110, 210));
    return icon.finish();
}

QImage paintFolderIcon(int size) {
    IconPainter icon(size);
    QPainter& p = icon.painter;
    const QPen edge(QColor(150, 100, 20), 1.2, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin);

    QPainterPath back;
    back.moveTo(4, 41);
    back.lineTo(4, 10);
    back.quadTo(4, 8, 6, 8);
    back.lineTo(17, 8);
    back.lineTo(21, 12);
    back.lineTo(42, 12);
    back.quadTo(44, 12, 44, 14);
    back.lineTo(44, 41);
    back.closeSubpath();
    icon.shadow(back);
    p.setPen(edge);
    p.setBrush(vertical(back.boundingRect(), QColor(240, 190, 80), QColor(214, 150, 40)));
    p.drawPath(back);

    // The bookmark is tucked between the papers: its top shows above the
    // front of the folder, its tail hangs over it.
    QPainterPath ribbon;
    ribbon.moveTo(28, 5);
    ribbon.lineTo(36, 5);
    ribbon.lineTo(36, 31);
    ribbon.lineTo(32, 27);
    ribbon.lineTo(28, 31);
    ribbon.closeSubpath();
    p.setPen(QPen(Qt::white, 0.8));
    p.setBrush(QColor(250, 250, 246));
    p.drawRect(QRectF(8, 14, 32, 10));

    QPainterPath front;
    front.moveTo(3, 19);
    front.lineTo(45, 19);
    front.lineTo(43, 41);
    front.quadTo(43, 43, 41, 43);
    front.lineTo(7, 43);
    front.quadTo(5, 43, 5, 41);
    front.closeSubpath();
    p.setPen(edge);
    p.setBrush(vertical(front.boundingRect(), QColor(255, 214, 110), QColor(236, 170, 50)));
    p.drawPath(front);

    icon.shadow(ribbon, 0.8);
    p.setPen(QPen(QColor(120, 10, 16), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    QLinearGradient red(QPointF(28, 0), QPointF(36, 0));
    red.setColorAt(0.0, QColor(236, 52, 52));
    red.setColorAt(1.0, QColor(180, 20, 28));
    p.setBrush(red);
    p.drawPath(ribbon);
    return icon.finish();
}

QImage paintKeyIcon(int size) {
    IconPainter icon(size);
    QPainter& p = icon.painter;
    // Drawn lying flat along one axis, then turned to the diagonal.
    QTransform t;
    t.translate(14.5, 14.5);
    t.rotate(45);
    QPainterPath bow;
    bow.addEllipse(QPointF(0, 0), 10, 10);
    QPainterPath hole;
    hole.addEllipse(QPointF(-3, 0), 3.6, 3.6);
    QPainterPath shaft;
    shaft.addRoundedRect(QRectF(8, -2.8, 29, 5.6), 1.5, 1.5);
    QPainterPath bit;
    bit.addRect(QRectF(26, 2.0, 4, 6.5));
    bit.addRect(QRectF(32, 2.0, 4, 8.5));
    QPainterPath key = bow.united(shaft).united(bit).subtracted(hole);
    key = t.map(key);
    icon.shadow(key);
    QLinearGradient gold(QPointF(6, 6), QPointF(42, 42));
    gold.setColorAt(0.0, QColor(255, 226, 120));
    gold.setColorAt(0.5, QColor(236, 184, 50));
    gold.setColorAt(1.0, QColor(196, 136, 24));
    p.setPen(QPen(QColor(120, 80, 10), 1.2, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(gold);
    p.drawPath(key);
    // Highlight on the bow, as on polished brass.
    p.setPen(QPen(QColor(255, 246, 200, 200), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(14.5 - 7, 14.5 - 7, 14, 14), 100 * 16, 70 * 16);
    return icon.finish();
}

QImage paintCrossIcon(int size) {
    IconPainter icon(size);
    QPainter& p = icon.painter;
    QPainterPath strokes;
    strokes.moveTo(12, 12);
    strokes.lineTo(36, 36);
    strokes.moveTo(36, 12);
    strokes.lineTo(12, 36);
    QPainterPathStroker stroker;
    stroker.setWidth(10);
    stroker.setCapStyle(Qt::RoundCap);
    const QPainterPath cross = stroker.createStroke(strokes).simplified();
    icon.shadow(cross);
    QLinearGradient red(QPointF(0, 7), QPointF(0, 41));
    red.setColorAt(0.0, QColor(250, 96, 80));
    red.setColorAt(0.5, QColor(222, 40, 36));
    red.setColorAt(1.0, QColor(170, 16, 20));
    p.setPen(QPen(QColor(110, 10, 10), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(red);
    p.drawPath(cross);
    return icon.finish();
}

} // namespace tiravo::artwork
