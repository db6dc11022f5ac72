#include "widgets/SpeedButton.h"

#include <QToolButton>

namespace tiravo {

QToolButton* FlatSpeedButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace tiravo
