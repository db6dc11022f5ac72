#include "draws/BatchSummary.h"

#include "widgets/WindowLook.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>

namespace tiravo {

namespace {

// The title, the column heads and the foot that names the page.
constexpr int kLinesAround = 5;

QString Cell(const QString& text, const QString& style = {}) {
    return QStringLiteral("<td style=\"padding-right: 14px;%1\">%2</td>")
        .arg(style, text.toHtmlEscaped());
}

} // namespace

BatchSummary::BatchSummary(QWidget* window, QRect picture) : QLabel(window) {
    setObjectName(QStringLiteral("BatchSummary"));
    setFont(PixelFont(QStringLiteral("Arial"), 15));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::RichText);
    setWordWrap(false);
    setMargin(8);
    setStyleSheet(QStringLiteral("QLabel { color: black; background-color: white; "
                                 "border: 2px solid #2e7d32; }"));
    setGeometry(picture);
    hide();
}

int BatchSummary::linesPerPage() const {
    const QFontMetrics metrics(font());
    const int rows = (height() - 2 * margin()) / (metrics.lineSpacing() + 2);
    return std::max(1, rows - kLinesAround);
}

int BatchSummary::pages() const {
    const int per = linesPerPage();
    return std::max(1, int((lines_.size() + std::size_t(per) - 1) / std::size_t(per)));
}

void BatchSummary::showLines(std::vector<BatchLine> lines, bool withPrizes) {
    lines_ = std::move(lines);
    withPrizes_ = withPrizes;
    page_ = 0;
    showPage();
    raise();
    show();
    repaint();
    QCoreApplication::instance()->installEventFilter(this);
}

bool BatchSummary::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress)
        hide();
    return QLabel::eventFilter(watched, event);
}

void BatchSummary::hideEvent(QHideEvent* event) {
    QCoreApplication::instance()->removeEventFilter(this);
    QLabel::hideEvent(event);
}

bool BatchSummary::takeKey(const QKeyEvent* key) {
    if (isHidden())
        return false;
    if (key->key() == Qt::Key_PageUp) {
        if (page_ > 0) {
            --page_;
            showPage();
        }
        return true;
    }
    // Past the last page, a clicker's "next" closes the summary, as any
    // other key does; the draw it would make waits for the next press.
    if (key->key() == Qt::Key_PageDown && page_ + 1 < pages()) {
        ++page_;
        showPage();
        return true;
    }
    // Keys that only modify another are not a key pressed.
    switch (key->key()) {
    case Qt::Key_Control:
    case Qt::Key_Shift:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
        return true;
    default:
        break;
    }
    hide();
    return true;
}

void BatchSummary::showPage() {
    const std::size_t per = std::size_t(linesPerPage());
    const std::size_t from = std::size_t(page_) * per;
    const std::size_t to = std::min(lines_.size(), from + per);
    QString html =
        QStringLiteral("<p style=\"font-weight: bold;\">%1</p><table>")
            .arg(lines_.size() == 1
                     ? QStringLiteral("Sorteio em lote: 1 ganhador")
                     : QStringLiteral("Sorteio em lote: %1 ganhadores").arg(lines_.size()));
    html += QStringLiteral("<tr>") +
            Cell(QStringLiteral("Lugar"), QStringLiteral("font-weight: bold;")) +
            Cell(QStringLiteral("Sorteado"), QStringLiteral("font-weight: bold;"));
    if (withPrizes_)
        html += Cell(QStringLiteral("Prêmio"), QStringLiteral("font-weight: bold;"));
    html += QStringLiteral("</tr>");
    // A long name or prize is cut, so that every row keeps to one line and
    // the page holds what it was counted for.
    const QFontMetrics metrics(font());
    const int column = (width() - 2 * margin()) * (withPrizes_ ? 2 : 4) / 5;
    const auto cut = [&](const QString& text) {
        return metrics.elidedText(text, Qt::ElideRight, column);
    };
    for (std::size_t i = from; i < to; ++i) {
        html += QStringLiteral("<tr>") + Cell(lines_[i].place) + Cell(cut(lines_[i].entry));
        if (withPrizes_)
            html += Cell(cut(lines_[i].prize));
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table><p style=\"color: #555555;\">%1</p>")
                .arg(pages() > 1 ? QStringLiteral("Página %1 de %2 — Page Down / Page Up; "
                                                  "outra tecla fecha")
                                       .arg(page_ + 1)
                                       .arg(pages())
                                 : QStringLiteral("Uma tecla fecha"));
    setText(html);
}

} // namespace tiravo
