#include "MakerMark.h"

#include "branding/MakerSite.h"

#include "Artwork.h"
#include "Style.h"

#include <QLinearGradient>
#include <QPainter>

namespace tiravo::artwork {

namespace {

const QString makerName = QStringLiteral("Korvane");
// Written on the about card; the program's own addresses use the same host.
const QString makerWebAddress = QString::fromLatin1(kMakerHost);

} // namespace

QPainterPath platePath(const QRectF& tile) {
    QPainterPath plate;
    plate.addRoundedRect(tile, tile.width() * 0.22, tile.width() * 0.22);
    return plate;
}

void paintPlate(QPainter& painter, const QRectF& tile) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath plate = platePath(tile);
    QLinearGradient back(tile.topLeft(), tile.bottomRight());
    back.setColorAt(0.0, colours::brandTeal);
    back.setColorAt(1.0, colours::brandNavy);
    painter.fillPath(plate, back);
    // A faint sheen across the top half keeps the tile from looking flat.
    QLinearGradient sheen(tile.topLeft(), tile.topLeft() + QPointF(0, tile.height() * 0.55));
    sheen.setColorAt(0.0, QColor(255, 255, 255, 60));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillPath(plate, sheen);
    painter.restore();
}

void paintEmblem(QPainter& painter, const QRectF& tile) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = tile.width();
    const auto at = [&](qreal x, qreal y) {
        return QPointF(tile.left() + x * s, tile.top() + y * s);
    };

    paintPlate(painter, tile);

    const qreal stroke = s * 0.13;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(at(0.25, 0.22), at(0.25, 0.22) + QPointF(stroke, s * 0.56)),
                            stroke * 0.3, stroke * 0.3);

    QPen arm(Qt::white, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(arm);
    painter.drawLine(at(0.47, 0.50), at(0.72, 0.27));
    arm.setColor(colours::brandOrange);
    painter.setPen(arm);
    painter.drawLine(at(0.51, 0.54), at(0.74, 0.74));
    painter.restore();
}

void paintWordmark(QPainter& painter, QPointF centre, qreal capHeight, qreal maxWidth) {
    // Cap height of DejaVu Sans Bold is about 0.73 of its pixel size.
    QFont font = dejaVu(capHeight / 0.73);
    font.setLetterSpacing(QFont::PercentageSpacing, 104);
    font = fittedFont(makerName, font, maxWidth);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(centredText(makerName, font, centre), colours::brandNavy);
    painter.restore();
}

QImage paintMakerLogo(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal tile = w * 0.66;
    const QRectF emblem((w - tile) / 2, h * 0.12, tile, tile);
    drawSoftShadow(painter, platePath(emblem), size, {0, 2}, 3, QColor(20, 40, 80, 70));
    paintEmblem(painter, emblem);
    paintWordmark(painter, {w / 2, h * 0.80}, h * 0.105, w * 0.86);
    return image;
}

QImage paintMakerIcon(int size) {
    QImage image = transparentCanvas({size, size});
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal k = size / 48.0;
    paintEmblem(painter, QRectF(4 * k, 4 * k, 40 * k, 40 * k));
    return image;
}

QImage paintAboutCard(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();

    QLinearGradient paper(0, 0, 0, h);
    paper.setColorAt(0.0, QColor(255, 255, 255));
    paper.setColorAt(1.0, QColor(236, 242, 248));
    painter.fillRect(QRectF(0, 0, w, h), paper);

    const qreal tile = w * 0.30;
    const QRectF emblem((w - tile) / 2, h * 0.09, tile, tile);
    drawSoftShadow(painter, platePath(emblem), size, {0, 4}, 6, QColor(20, 40, 80, 80));
    paintEmblem(painter, emblem);
    paintWordmark(painter, {w / 2, h * 0.52}, h * 0.085, w * 0.7);

    painter.fillRect(QRectF(w * 0.38, h * 0.61, w * 0.24, 2), colours::brandOrange);

    // The band at the foot names the program and where to find its maker.
    const QRectF band(0, h * 0.72, w, h * 0.28);
    QLinearGradient bandFill(band.topLeft(), band.topRight());
    bandFill.setColorAt(0.0, colours::brandNavy);
    bandFill.setColorAt(1.0, colours::brandTeal.darker(115));
    painter.fillRect(band, bandFill);
    painter.fillRect(QRectF(0, band.top(), w, h * 0.012), colours::brandOrange);

    painter.fillPath(centredText(QStringLiteral("Tiravo"), dejaVu(h * 0.085),
                                 {w / 2, band.top() + band.height() * 0.38}),
                     Qt::white);
    painter.setPen(QColor(206, 226, 240));
    painter.setFont(dejaVu(h * 0.038, false));
    painter.drawText(QRectF(0, band.top() + band.height() * 0.62, w, band.height() * 0.25),
                     Qt::AlignCenter, makerWebAddress);
    return image;
}

} // namespace tiravo::artwork
