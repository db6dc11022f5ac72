#pragma once

#include "widgets/AudienceScreen.h"

#include <QList>
#include <QRectF>

class QPainter;

namespace tiravo {

// `source` as large as fits in `area`, proportions kept, centred.
QRectF FitInto(QSizeF source, const QRectF& area);

// The winners list of the audience's screen in `area` (the painter's
// pixels): "Premiados" over a line for each winner, newest first, its place
// and its entry or photo, as many as fit.
void PaintWinnersList(QPainter& painter, const QRectF& area, const QList<AudienceWinner>& winners);

} // namespace tiravo
