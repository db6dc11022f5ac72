#include "widgets/CounterPanel.h"

namespace tiravo {

CounterPanel::CounterPanel(QWidget* parent) : QLabel(QStringLiteral("000"), parent) {
    // A panel paints its own face, so nothing behind it shows through.
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
}

void CounterPanel::setCount(int count) {
    setText(QString::number(count));
}

} // namespace tiravo
