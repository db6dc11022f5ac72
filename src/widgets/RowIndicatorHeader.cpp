#include "widgets/RowIndicatorHeader.h"

#include "widgets/DatasetModel.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace tiravo {

RowIndicatorHeader::RowIndicatorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
    setFixedWidth(kWidth);
}

void RowIndicatorHeader::paintSection(QPainter* painter, const QRect& rect,
                                      int logicalIndex) const {
    QHeaderView::paintSection(painter, rect, logicalIndex);
    if (!model())
        return;
    const int indicator =
        model()->headerData(logicalIndex, Qt::Vertical, DatasetModel::kIndicatorRole).toInt();
    if (indicator == DatasetModel::NoIndicator)
        return;
    painter->save();
    // The style's header drawing leaves the painter clipped to nothing.
    painter->setClipRect(rect);
    painter->setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette().color(QPalette::WindowText);
    const QPointF c = QRectF(rect).center();
    const qreal r = std::min<qreal>(rect.width(), rect.height()) / 2.0 - 2.0;
    if (r > 0) {
        switch (indicator) {
        case DatasetModel::BrowseIndicator: {
            QPainterPath triangle;
            triangle.moveTo(c.x() - r / 2, c.y() - r);
            triangle.lineTo(c.x() + r / 2 + 1, c.y());
            triangle.lineTo(c.x() - r / 2, c.y() + r);
            triangle.closeSubpath();
            painter->fillPath(triangle, ink);
            break;
        }
        case DatasetModel::EditIndicator: {
            painter->setPen(QPen(ink, 1));
            const qreal w = r / 2;
            painter->drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
            painter->drawLine(QPointF(c.x() - w, c.y() - r), QPointF(c.x() + w, c.y() - r));
            painter->drawLine(QPointF(c.x() - w, c.y() + r), QPointF(c.x() + w, c.y() + r));
            break;
        }
        case DatasetModel::InsertIndicator: {
            painter->setPen(QPen(ink, 1.2));
            for (int spoke = 0; spoke < 3; ++spoke) {
                painter->save();
                painter->translate(c);
                painter->rotate(60.0 * spoke);
                painter->drawLine(QPointF(0, -r * 0.8), QPointF(0, r * 0.8));
                painter->restore();
            }
            break;
        }
        default:
            break;
        }
    }
    painter->restore();
}

} // namespace tiravo
