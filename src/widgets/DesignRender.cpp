#include "widgets/DesignRender.h"

#include <QPainter>
#include <QWidget>

namespace tiravo {

void RenderDesign(QPainter& painter, QWidget* window, const QRegion& source, const QWidget* skip) {
    for (QObject* child : window->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control == skip || control->isWindow() || control->isHidden())
            continue;
        const QRegion part = source & control->geometry();
        if (part.isEmpty())
            continue;
        // render() puts the corner of the region it is given at the target
        // point, not the control's own corner: a part that starts inside the
        // control must be aimed at where that part lies.
        const QRegion local = part.translated(-control->pos());
        painter.save();
        painter.translate(control->pos());
        control->render(&painter, local.boundingRect().topLeft(), local, QWidget::DrawChildren);
        painter.restore();
    }
}

} // namespace tiravo
