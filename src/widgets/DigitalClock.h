#pragma once

#include <QLabel>
#include <QTimer>

namespace tiravo {

class Clock;

// The running clock of the draw screens: the time of day with seconds, read
// afresh about twice a second. While a draw holds the thread it stands still.
class DigitalClock : public QLabel {
    Q_OBJECT
public:
    DigitalClock(QWidget* parent, Clock& clock);
    void refresh();

    static constexpr int kRefreshMs = 450;

private:
    Clock& clock_;
    QTimer timer_;
};

} // namespace tiravo
