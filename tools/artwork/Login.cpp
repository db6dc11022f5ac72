#include "Artwork.h"
#include "Noise.h"
#include "Raster.h"
#include "Style.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tiravo::artwork {

namespace {

struct Ball {
    QPointF centre;
    qreal radius;
    QColor colour;
    int number;
    qreal labelAngle;  // where on the sphere the number faces, in degrees
    qreal labelOffset; // 0: facing the camera, towards 1: on the rim
    qreal textAngle;
    qreal depth;
};

// Lottery balls: glossy spheres with a white disc carrying the number, the
// disc foreshortened as the ball turns away from the camera.
void paintBall(QPainter& painter, const Ball& ball) {
    const QPointF c = ball.centre;
    const qreal r = ball.radius;
    QPainterPath sphere;
    sphere.addEllipse(c, r, r);

    QRadialGradient body(c, r, c + QPointF(-0.35 * r, -0.42 * r));
    body.setColorAt(0.0, ball.colour.lighter(165));
    body.setColorAt(0.35, ball.colour.lighter(112));
    body.setColorAt(0.8, ball.colour);
    body.setColorAt(1.0, ball.colour.darker(165));
    painter.fillPath(sphere, body);

    painter.save();
    painter.setClipPath(sphere);
    painter.translate(c);
    painter.rotate(ball.labelAngle);
    painter.translate(ball.labelOffset * r, 0);
    painter.scale(std::sqrt(1.0 - ball.labelOffset * ball.labelOffset), 1.0);
    const qreal disc = 0.50 * r;
    painter.setPen(QPen(QColor(0, 0, 0, 40), r * 0.03));
    painter.setBrush(QColor(250, 250, 246));
    painter.drawEllipse(QPointF(0, 0), disc, disc);
    painter.rotate(ball.textAngle - ball.labelAngle);
    const QString number = QString::number(ball.number);
    const QFont font = fittedFont(number, dejaVu(disc * 0.95), disc * 1.45);
    painter.fillPath(centredText(number, font, {0, 0}), QColor(28, 28, 32));
    painter.restore();

    // Light falls across the disc as it does across the ball.
    QRadialGradient shade(c, r, c + QPointF(-0.3 * r, -0.38 * r));
    shade.setColorAt(0.0, QColor(0, 0, 0, 0));
    shade.setColorAt(0.6, QColor(0, 0, 0, 10));
    shade.setColorAt(1.0, QColor(0, 0, 0, 110));
    painter.fillPath(sphere, shade);
    QRadialGradient gloss(c + QPointF(-0.38 * r, -0.45 * r), r * 0.32);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 210));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillPath(sphere, gloss);
}

std::vector<Ball> heapOfBalls(QSize size) {
    const std::array<QColor, 6> colours = {QColor(244, 196, 38), QColor(218, 52, 52),
                                           QColor(42, 102, 208), QColor(44, 160, 84),
                                           QColor(240, 128, 32), QColor(146, 74, 184)};
    Rng rng(60);
    std::vector<Ball> balls;
    const qreal w = size.width();
    const qreal h = size.height();
    // A tray full of balls seen from slightly above: rows of balls that grow
    // as they come nearer, down the picture, packed so no tray shows.
    qreal y = -4;
    while (y < h + 30) {
        const qreal depth = std::clamp(y / h, 0.0, 1.0);
        const qreal radius = 13 + 30 * depth;
        for (qreal x = -radius * rng.uniform(); x < w + radius;
             x += radius * rng.range(1.55f, 1.9f)) {
            balls.push_back({{x + rng.range(-3, 3), y + rng.range(-0.25f, 0.25f) * radius},
                             radius * rng.range(0.94f, 1.06f),
                             colours[rng.next() % colours.size()],
                             1 + static_cast<int>(rng.next() % 60),
                             rng.range(0, 360),
                             rng.range(0.0f, 0.62f),
                             rng.range(-35, 35),
                             depth + rng.range(0.0f, 0.02f)});
        }
        y += radius * 1.25;
    }
    std::sort(balls.begin(), balls.end(),
              [](const Ball& a, const Ball& b) { return a.depth < b.depth; });
    return balls;
}

} // namespace

QImage paintLogin(QSize size) {
    const qreal w = size.width();
    const qreal h = size.height();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient studio(0, 0, 0, h);
    studio.setColorAt(0.0, QColor(226, 234, 246));
    studio.setColorAt(1.0, QColor(246, 240, 228));
    painter.fillRect(QRectF(0, 0, w, h), studio);

    // Depth of field: the far balls and the nearest ones are out of focus,
    // as in a photograph taken close up.
    const std::vector<Ball> balls = heapOfBalls(size);
    const auto layer = [&](qreal from, qreal to, int blur) {
        QImage picture = transparentCanvas(size);
        {
            QPainter p(&picture);
            p.setRenderHint(QPainter::Antialiasing);
            for (const Ball& ball : balls)
                if (ball.depth >= from && ball.depth < to)
                    paintBall(p, ball);
        }
        painter.drawImage(0, 0, blur > 0 ? blurred(picture, blur) : picture);
    };
    layer(0.0, 0.3, 2);
    layer(0.3, 0.75, 1);
    layer(0.75, 1.1, 2);

    // Washed out, so the labels and boxes laid over it stay readable; paler
    // still behind the title and on the left, where the boxes are.
    painter.fillRect(QRectF(0, 0, w, h), QColor(255, 255, 255, 165));
    const auto clearing = [&](QPointF centre, qreal rx, qreal ry, int alpha) {
        QRadialGradient glow(0, 0, 1);
        glow.setColorAt(0.0, QColor(255, 255, 255, alpha));
        glow.setColorAt(0.6, QColor(255, 255, 255, alpha * 2 / 3));
        glow.setColorAt(1.0, QColor(255, 255, 255, 0));
        painter.save();
        painter.translate(centre);
        painter.scale(rx, ry);
        painter.fillRect(QRectF(-1, -1, 2, 2), glow);
        painter.restore();
    };
    clearing({w * 0.5, h * 0.2}, w * 0.42, h * 0.22, 150);
    clearing({w * 0.24, h * 0.69}, w * 0.32, h * 0.36, 140);

    const QFont font = dejaVu(h * 0.27);
    const QPainterPath title = centredText(QStringLiteral("Tiravo"), font, {w / 2, h * 0.2});
    drawSoftShadow(painter, title, size, {2, 3}, 3, QColor(10, 30, 80, 110));
    painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(title);
    QLinearGradient blue(title.boundingRect().topLeft(), title.boundingRect().bottomLeft());
    blue.setColorAt(0.0, QColor(58, 128, 232));
    blue.setColorAt(1.0, QColor(18, 60, 160));
    painter.fillPath(title, blue);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace tiravo::artwork
