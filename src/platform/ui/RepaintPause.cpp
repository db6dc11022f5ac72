#include "platform/ui/RepaintPause.h"

#include <QThread>
#include <QWidget>

namespace tiravo {

void RepaintPause::showFor(QWidget* control, int milliseconds) {
    // repaint() paints before it returns; update() would only paint once the
    // handler gives the event loop back, after the whole draw.
    if (control)
        control->repaint();
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

} // namespace tiravo
