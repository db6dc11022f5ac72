#pragma once

#include <QLabel>
#include <QString>

#include <vector>

class QKeyEvent;

namespace tiravo {

// One winner of a batch as its summary lists it.
struct BatchLine {
    QString place; // "3º"
    QString entry;
    QString prize; // empty without a plan
};

// The winners of a batch once it has ended, over the stage picture: place,
// entry and, when the pool has a plan, prize. It stays until a key is
// pressed; Page Down and Page Up turn its pages when it does not fit.
class BatchSummary final : public QLabel {
    Q_OBJECT
public:
    BatchSummary(QWidget* window, QRect picture);

    void showLines(std::vector<BatchLine> lines, bool withPrizes);
    // A key while the summary is shown: Page Down and Page Up turn the page,
    // any other key (and Page Down on the last page) closes it. False when
    // it is not shown.
    bool takeKey(const QKeyEvent* key);

    int page() const { return page_; } // from 0
    int pages() const;
    int linesPerPage() const;

protected:
    // A click anywhere closes it as a key does, and goes on to what was clicked.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showPage();

    std::vector<BatchLine> lines_;
    bool withPrizes_ = false;
    int page_ = 0;
};

} // namespace tiravo
