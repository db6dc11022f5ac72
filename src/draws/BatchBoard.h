#pragma once

#include <QLabel>
#include <QStringList>

namespace tiravo {

// The winners of a running batch, in a column over the left of the stage
// picture: place and entry, the newest on top, as many as fit.
class BatchBoard final : public QLabel {
    Q_OBJECT
public:
    // Over the left of `picture`, clear of the prize band at its foot.
    BatchBoard(QWidget* window, QRect picture);

    // The lines, oldest first; painted at once, as a draw's frames are.
    void showLines(const QStringList& lines);
};

} // namespace tiravo
