#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QString>

class QPainter;

namespace tiravo::artwork {

// The few colours the pictures share, so the windows look like one program.
namespace colours {
inline const QColor brandNavy(24, 52, 112);
inline const QColor brandTeal(22, 140, 170);
inline const QColor brandOrange(243, 154, 43);
inline const QColor letterGreen(78, 158, 88);
inline const QColor paleGreen(206, 238, 196);
inline const QColor textNavy(22, 44, 110);
} // namespace colours

// The DejaVu faces are on every machine that builds the program, so the
// lettering comes out the same wherever the pictures are redrawn.
QFont dejaVu(qreal pixelSize, bool bold = true, bool condensed = false);

// A transparent canvas ready for antialiased drawing.
QImage transparentCanvas(QSize size);

// The outline of a text, centred on a point, so letters can be filled and
// stroked like any other shape.
QPainterPath centredText(const QString& text, const QFont& font, QPointF centre);

// Scales a font so that the text is at most the given width.
QFont fittedFont(const QString& text, QFont font, qreal maxWidth);

// Soft shadow of a shape: the shape filled, blurred and drawn offset.
void drawSoftShadow(QPainter& painter, const QPainterPath& shape, QSize canvas, QPointF offset,
                    int radius, const QColor& colour);

} // namespace tiravo::artwork
