#include "widgets/DigitalClock.h"

#include "platform/Clock.h"

namespace tiravo {

DigitalClock::DigitalClock(QWidget* parent, Clock& clock)
    : QLabel(parent), clock_(clock), timer_(this) {
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAlignment(Qt::AlignCenter);
    connect(&timer_, &QTimer::timeout, this, &DigitalClock::refresh);
    timer_.start(kRefreshMs);
    refresh();
}

void DigitalClock::refresh() {
    setText(clock_.timeText());
}

} // namespace tiravo
