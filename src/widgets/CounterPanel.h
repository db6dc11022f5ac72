#pragma once

#include <QLabel>

namespace tiravo {

// A raised panel that shows a count in plain decimal; "000" until it is set.
class CounterPanel : public QLabel {
    Q_OBJECT
public:
    explicit CounterPanel(QWidget* parent = nullptr);
    void setCount(int count);
};

} // namespace tiravo
