#pragma once

#include <QObject>

class QWidget;

namespace tiravo {

class Dataset;
struct PoolDescription;

// The prize of the winner under the pointer, as the tooltip of a winners
// list: a grid over the winners, or a picture of a winner's photo. Nothing
// changes over a list whose pool has no plan.
class PrizeTips final : public QObject {
    Q_OBJECT
public:
    PrizeTips(QObject* parent, Dataset& winners, const PoolDescription& pool);

    void watch(QWidget* list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The place of the winner shown at `at` of `watched`; 0 for none.
    std::int64_t placeAt(QObject* watched, QPoint at) const;

    Dataset& winners_;
    const PoolDescription& pool_;
};

} // namespace tiravo
