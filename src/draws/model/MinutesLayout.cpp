#include "draws/model/MinutesLayout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>

namespace tiravo {

QFont MinutesFont(int points, bool bold, bool mono) {
    QFont font(mono ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans"));
    if (mono)
        font.setStyleHint(QFont::Monospace);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

MinutesLayout::MinutesLayout(QPainter* painter, QPdfWriter* writer, int pages, QRect area,
                             QStringList* texts)
    : painter_(painter), writer_(writer), pages_(pages), area_(area), texts_(texts),
      y_(area.top()) {}

void MinutesLayout::line(const QString& text, const QFont& font, int indent, int before) {
    if (texts_)
        *texts_ << text;
    const QFontMetrics metrics(font, writer_);
    const QRect box(area_.left() + indent, 0, area_.width() - indent, area_.height());
    const QRect needed = metrics.boundingRect(box, Qt::TextWordWrap | Qt::AlignLeft, text);
    if (y_ + before + needed.height() > area_.bottom() - footerHeight())
        newPage();
    else
        y_ += before;
    if (painter_) {
        painter_->setFont(font);
        painter_->drawText(QRect(box.left(), y_, box.width(), needed.height()),
                           Qt::TextWordWrap | Qt::AlignLeft, text);
    }
    y_ += needed.height();
}

void MinutesLayout::row(const QStringList& cells, const std::vector<int>& lefts, const QFont& font,
                        int before) {
    if (texts_)
        *texts_ << cells.join(u'|');
    const QFontMetrics metrics(font, writer_);
    if (y_ + before + metrics.height() > area_.bottom() - footerHeight())
        newPage();
    else
        y_ += before;
    if (painter_) {
        painter_->setFont(font);
        for (qsizetype i = 0; i < cells.size(); ++i) {
            const int left = area_.left() + lefts[std::size_t(i)];
            const int right = std::size_t(i) + 1 < lefts.size()
                                  ? area_.left() + lefts[std::size_t(i) + 1]
                                  : area_.right();
            const int gap = kMinutesDpi / 20;
            painter_->drawText(QRect(left, y_, right - left - gap, metrics.height()),
                               Qt::AlignLeft | Qt::AlignVCenter,
                               metrics.elidedText(cells[i], Qt::ElideMiddle, right - left - gap));
        }
    }
    y_ += metrics.height();
}

void MinutesLayout::rule(int before) {
    y_ += before;
    if (painter_)
        painter_->drawLine(area_.left(), y_, area_.right(), y_);
}

void MinutesLayout::keepWithNext(int height) {
    if (y_ + height > area_.bottom() - footerHeight())
        newPage();
}

int MinutesLayout::lineHeight(const QFont& font) const {
    return QFontMetrics(font, writer_).height();
}

int MinutesLayout::footerHeight() const {
    return QFontMetrics(MinutesFont(8), writer_).height() * 2;
}

void MinutesLayout::footer() {
    if (!painter_)
        return;
    painter_->setFont(MinutesFont(8));
    painter_->drawText(
        QRect(area_.left(), area_.bottom() - footerHeight() / 2, area_.width(), footerHeight() / 2),
        Qt::AlignRight | Qt::AlignVCenter,
        QStringLiteral("Página %1 de %2").arg(page_).arg(pages_));
}

void MinutesLayout::newPage() {
    footer();
    if (painter_)
        writer_->newPage();
    ++page_;
    y_ = area_.top();
}

} // namespace tiravo
