#pragma once

#include <QPainterPath>
#include <QRectF>

class QPainter;

namespace tiravo::artwork {

// The rounded tile in the maker's navy and teal that the emblem and the
// program's icon stand on, and its outline (for shadows).
QPainterPath platePath(const QRectF& tile);
void paintPlate(QPainter& painter, const QRectF& tile);

// The maker's emblem: a rounded tile in navy and teal bearing a "K" drawn as
// a stem and two arms, the lower arm in orange. It is the logo at every
// size, from the toolbar button to the about card.
void paintEmblem(QPainter& painter, const QRectF& tile);

// The maker's name as its wordmark, centred on a point, in the given height.
void paintWordmark(QPainter& painter, QPointF centre, qreal capHeight, qreal maxWidth);

} // namespace tiravo::artwork
