#pragma once

#include <QLabel>
#include <QStringList>

namespace tiravo {

// The winners of a running batch, in a column over the left of the stage
// picture: place and entry, the newest on top, as many as fit. It is only as
// tall as its lines, so that the first winners leave the stage's entry clear.
class BatchBoard final : public QLabel {
    Q_OBJECT
public:
    // Over the left of `picture`, clear of the prize band at its foot.
    BatchBoard(QWidget* window, QRect picture);

    // The lines, oldest first; painted at once, as a draw's frames are.
    void showLines(const QStringList& lines);

private:
    QRect area_; // the most it may cover
};

} // namespace tiravo
