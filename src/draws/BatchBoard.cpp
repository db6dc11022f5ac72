#include "draws/BatchBoard.h"

#include "widgets/WindowLook.h"

#include <QFontMetrics>

namespace tiravo {

namespace {

// The band that names the place and prize over the foot of the picture.
constexpr int kPrizeBand = 56;

} // namespace

BatchBoard::BatchBoard(QWidget* window, QRect picture) : QLabel(window) {
    setObjectName(QStringLiteral("BatchBoard"));
    setFont(PixelFont(QStringLiteral("Arial"), 14, true));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
    setMargin(6);
    setStyleSheet(
        QStringLiteral("QLabel { color: white; background-color: rgba(0, 60, 0, 170); }"));
    area_ = QRect(picture.left(), picture.top(), picture.width() / 4,
                  std::max(picture.height() - kPrizeBand, 40));
    setGeometry(area_);
    hide();
}

void BatchBoard::showLines(const QStringList& lines) {
    const QFontMetrics metrics(font());
    const int fit = std::max(1, (area_.height() - 2 * margin()) / metrics.lineSpacing());
    QStringList shown;
    for (auto line = lines.crbegin(); line != lines.crend() && shown.size() < fit; ++line)
        shown.append(metrics.elidedText(*line, Qt::ElideRight, area_.width() - 2 * margin()));
    setText(shown.join(u'\n'));
    // A batch's board only grows: what it leaves uncovered was painted by the
    // stage before the batch.
    const int tall = int(shown.size()) * metrics.lineSpacing() + 2 * margin();
    setGeometry(area_.left(), area_.top(), area_.width(), std::min(tall, area_.height()));
    raise();
    show();
    repaint();
}

} // namespace tiravo
