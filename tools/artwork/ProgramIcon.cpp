#include "Artwork.h"
#include "MakerMark.h"
#include "Style.h"

#include <QPainter>

namespace tiravo::artwork {

QImage paintProgramIcon(int size) {
    QImage image = transparentCanvas({size, size});
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal k = size / 48.0;
    // The maker's tile, with the room the desktop's icon grids expect around
    // it, bearing the numbered cards of the toolbar's number button: the
    // program's mark is its maker's plate with its first kind of draw.
    const QRectF tile(2 * k, 2 * k, 44 * k, 44 * k);
    drawSoftShadow(painter, platePath(tile), image.size(), {0, k}, qMax(1, qRound(k)),
                   QColor(10, 25, 60, 90));
    paintPlate(painter, tile);
    const int cards = qRound(40 * k);
    painter.drawImage(QPointF((size - cards) / 2.0, (size - cards) / 2.0 + k),
                      paintCardsIcon(cards));
    return image;
}

} // namespace tiravo::artwork
