#pragma once

#include <QHeaderView>

namespace tiravo {

// The narrow column left of a grid's rows that marks the cursor's row: a
// triangle while browsing, an I-beam while editing, a star on a new row.
class RowIndicatorHeader : public QHeaderView {
    Q_OBJECT
public:
    static constexpr int kWidth = 12;

    explicit RowIndicatorHeader(QWidget* parent);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

} // namespace tiravo
