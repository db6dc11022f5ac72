#include "Artwork.h"
#include "Noise.h"
#include "Raster.h"
#include "Style.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <array>

namespace tiravo::artwork {

namespace {

// The white panel of the draw screens: the winner's number or name is
// written straight onto it, so its middle stays plain white, and the green
// of the edge fades softly into it.
void paintPanel(QPainter& painter, QSize size) {
    const QRectF all(0, 0, size.width(), size.height());
    QLinearGradient edge(all.topLeft(), all.bottomRight());
    edge.setColorAt(0.0, QColor(150, 204, 146));
    edge.setColorAt(0.5, QColor(178, 220, 170));
    edge.setColorAt(1.0, QColor(140, 198, 138));
    painter.fillRect(all, edge);

    const QRectF panel = all.adjusted(14, 14, -14, -14);
    QPainterPath shape;
    shape.addRoundedRect(panel, 22, 22);
    QImage white = transparentCanvas(size);
    {
        QPainter p(&white);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(shape, Qt::white);
    }
    painter.drawImage(0, 0, blurred(white, 6));
    // A second, sharper pass keeps the middle pure white while the blur
    // above gives the edge its glow.
    QPainterPath inner;
    inner.addRoundedRect(panel.adjusted(8, 8, -8, -8), 16, 16);
    painter.fillPath(inner, Qt::white);

    painter.setPen(QPen(QColor(112, 184, 112, 110), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(panel.adjusted(5, 5, -5, -5), 18, 18);
}

void paintOutlinedLetters(QPainter& painter, QSize canvas, const QPainterPath& letters,
                          qreal strokeWidth) {
    drawSoftShadow(painter, letters, canvas, {2.5, 3.5}, 4, QColor(60, 130, 70, 90));
    QLinearGradient fill(letters.boundingRect().topLeft(), letters.boundingRect().bottomLeft());
    fill.setColorAt(0.0, QColor(230, 248, 222));
    fill.setColorAt(1.0, colours::paleGreen);
    painter.setBrush(fill);
    painter.setPen(
        QPen(colours::letterGreen, strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(letters);
}

// Person seen from the front: a round head on rounded shoulders.
QPainterPath figure(QPointF headCentre, qreal scale) {
    QPainterPath path;
    const qreal head = 21 * scale;
    path.addEllipse(headCentre, head, head);
    const qreal top = headCentre.y() + head + 5 * scale;
    const qreal halfWidth = 44 * scale;
    const qreal height = 58 * scale;
    QPainterPath body;
    body.moveTo(headCentre.x() - halfWidth, top + height);
    body.lineTo(headCentre.x() - halfWidth, top + 26 * scale);
    body.cubicTo(headCentre.x() - halfWidth, top + 4 * scale, headCentre.x() - 22 * scale, top,
                 headCentre.x(), top);
    body.cubicTo(headCentre.x() + 22 * scale, top, headCentre.x() + halfWidth, top + 4 * scale,
                 headCentre.x() + halfWidth, top + 26 * scale);
    body.lineTo(headCentre.x() + halfWidth, top + height);
    body.closeSubpath();
    return path.united(body);
}

void paintFigure(QPainter& painter, QSize canvas, QPointF head, qreal scale, const QColor& colour) {
    const QPainterPath shape = figure(head, scale);
    drawSoftShadow(painter, shape, canvas, {3, 4}, 5, QColor(30, 50, 90, 70));
    const QRectF box = shape.boundingRect();
    QRadialGradient shade(
        QPointF(box.center().x() - box.width() * 0.2, box.top() + box.height() * 0.2),
        box.height() * 0.95);
    shade.setColorAt(0.0, colour.lighter(135));
    shade.setColorAt(1.0, colour.darker(125));
    painter.setPen(QPen(colour.darker(150), 2.0));
    painter.setBrush(shade);
    painter.drawPath(shape);
}

} // namespace

QImage paintFrame(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintPanel(painter, size);
    return image;
}

QImage paintTeaser(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintPanel(painter, size);

    const qreal w = size.width();
    const qreal h = size.height();
    const QFont words = fittedFont(QStringLiteral("QUEM SERÁ"), dejaVu(h * 0.26), w * 0.70);
    paintOutlinedLetters(painter, size,
                         centredText(QStringLiteral("QUEM SERÁ"), words, {w / 2, h * 0.52}), 3.0);

    // Two rows of five question marks, tilted and sized a little unevenly, as
    // if tossed onto the panel.
    Rng rng(5);
    const std::array<qreal, 2> rows = {h * 0.20, h * 0.83};
    for (const qreal rowY : rows) {
        for (int i = 0; i < 5; ++i) {
            const qreal x = w * (0.16 + 0.17 * i) + rng.range(-6, 6);
            const QFont mark = dejaVu(h * rng.range(0.17f, 0.21f));
            QPainterPath path = centredText(QStringLiteral("?"), mark, {0, 0});
            QTransform turn;
            turn.translate(x, rowY + rng.range(-4, 4));
            turn.rotate(rng.range(-16, 16));
            paintOutlinedLetters(painter, size, turn.map(path), 2.5);
        }
    }
    return image;
}

QImage paintCrowdTeaser(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintPanel(painter, size);

    const qreal w = size.width();
    const qreal h = size.height();
    const std::array<QColor, 6> back = {QColor(120, 150, 210), QColor(226, 150, 84),
                                        QColor(150, 120, 196), QColor(96, 176, 160),
                                        QColor(220, 96, 104),  QColor(96, 150, 226)};
    // The back row stands higher and a little smaller, half a place aside,
    // so the six read as a crowd waiting for the result.
    const qreal backScale = h / 480.0 * 1.12;
    const qreal frontScale = h / 480.0 * 1.34;
    for (int i = 0; i < 3; ++i)
        paintFigure(painter, size, {w * (0.31 + 0.19 * i), h * 0.155}, backScale, back[i]);
    for (int i = 0; i < 3; ++i)
        paintFigure(painter, size, {w * (0.21 + 0.29 * i), h * 0.385}, frontScale, back[3 + i]);

    const QFont font = fittedFont(QStringLiteral("Quem Será ?"), dejaVu(h * 0.15), w * 0.72);
    const QPainterPath words = centredText(QStringLiteral("Quem Será ?"), font, {w / 2, h * 0.835});
    drawSoftShadow(painter, words, size, {2, 3}, 3, QColor(20, 40, 90, 80));
    painter.fillPath(words, colours::textNavy);
    return image;
}

} // namespace tiravo::artwork
