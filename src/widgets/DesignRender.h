#pragma once

#include <QRegion>

class QPainter;
class QWidget;

namespace tiravo {

// Paints the controls of `window` that lie in `source` (window pixels) with
// `painter`, whose transform already maps the window's pixels to where they
// are shown, bottom to top as the window stacks them. `skip` (a control laid
// over the window, or null) is left out. Text stays text and pictures are
// painted at the pixels they cover, so a scaled-up painter gives a crisp
// picture.
void RenderDesign(QPainter& painter, QWidget* window, const QRegion& source,
                  const QWidget* skip = nullptr);

} // namespace tiravo
