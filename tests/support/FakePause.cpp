#include "support/FakePause.h"

#include <QLabel>
#include <QVariant>

#include <utility>

namespace tiravo {

void FakePause::showFor(QWidget* control, int milliseconds) {
    Frame frame;
    frame.milliseconds = milliseconds;
    frame.widget = control;
    if (control) {
        frame.control = control->objectName();
        if (const auto* label = qobject_cast<const QLabel*>(control))
            frame.shown = label->text();
        else
            frame.shown = control->property("shownPicture").toString();
    }
    frames_.append(frame);
    if (duringNextFrame_)
        std::exchange(duringNextFrame_, {})();
    // No time passes here: each frame that is held gives the work one slice.
    if (work() && milliseconds > 0)
        work()->workUntil(std::chrono::steady_clock::now());
    if (during)
        during(frame);
}

int FakePause::totalMilliseconds() const {
    int total = 0;
    for (const Frame& frame : frames_)
        total += frame.milliseconds;
    return total;
}

QStringList FakePause::summary() const {
    QStringList lines;
    for (const Frame& frame : frames_)
        lines.append(
            QStringLiteral("%1=%2@%3").arg(frame.control, frame.shown).arg(frame.milliseconds));
    return lines;
}

} // namespace tiravo
