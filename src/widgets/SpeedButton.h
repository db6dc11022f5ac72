#pragma once

#include <QString>

class QToolButton;
class QWidget;

namespace tiravo {

// A flat button with a caption and the hand cursor that never takes the
// focus: pressing it leaves the focus where the operator put it. It shows its
// edge only while the pointer is over it.
QToolButton* FlatSpeedButton(QWidget* parent, const QString& name, const QString& caption);

} // namespace tiravo
