#include "Style.h"

#include "Raster.h"

#include <QPainter>

namespace tiravo::artwork {

QFont dejaVu(qreal pixelSize, bool bold, bool condensed) {
    QFont font(condensed ? QStringLiteral("DejaVu Sans Condensed") : QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QImage transparentCanvas(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPainterPath centredText(const QString& text, const QFont& font, QPointF centre) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    // Centre on the letters' ink rather than the font's line box, so capitals
    // and digits sit visually in the middle.
    const QRectF ink = path.boundingRect();
    path.translate(centre - ink.center());
    return path;
}

QFont fittedFont(const QString& text, QFont font, qreal maxWidth) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const qreal width = path.boundingRect().width();
    if (width > maxWidth)
        font.setPixelSize(qMax(1, static_cast<int>(font.pixelSize() * maxWidth / width)));
    return font;
}

void drawSoftShadow(QPainter& painter, const QPainterPath& shape, QSize canvas, QPointF offset,
                    int radius, const QColor& colour) {
    QImage layer = transparentCanvas(canvas);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(painter.transform());
        p.translate(offset);
        p.fillPath(shape, colour);
    }
    layer = blurred(layer, radius);
    painter.save();
    painter.resetTransform();
    painter.drawImage(0, 0, layer);
    painter.restore();
}

} // namespace tiravo::artwork
