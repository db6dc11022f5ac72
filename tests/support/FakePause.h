#pragma once

#include "platform/Pause.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace tiravo {

// One painted frame: which control, what it showed and for how long.
struct Frame {
    QString control; // objectName
    QString shown;   // a QLabel's text, else the "shownPicture" property
    int milliseconds = 0;
    QPointer<QWidget> widget;
};

// Records every frame and returns at once, so a draw of several seconds runs
// in a moment and its frames can be checked one by one. Work given to it gets
// one slice for every frame held for some time.
class FakePause final : public Pause {
public:
    void showFor(QWidget* control, int milliseconds) override;

    const QList<Frame>& frames() const { return frames_; }
    int totalMilliseconds() const;
    // "LabNome=07@70", one entry per frame, for compact assertions.
    QStringList summary() const;
    void clear() { frames_.clear(); }

    // Runs at every frame, while the draw that paints it still runs.
    std::function<void(const Frame&)> during;
    // Runs once, during the next frame held: what another program does while
    // a draw is on screen.
    void duringNextFrame(std::function<void()> action) { duringNextFrame_ = std::move(action); }

private:
    std::function<void()> duringNextFrame_;
    QList<Frame> frames_;
};

} // namespace tiravo
