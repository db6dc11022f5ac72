#pragma once

#include "platform/Services.h"

#include <QDialog>

class QKeyEvent;

namespace tiravo {

class PictureBox;

// The about window: the maker's picture card, whose click opens the maker's
// home page.
class TFKorvane : public QDialog {
    Q_OBJECT
public:
    TFKorvane(QWidget* parent, Services services);

    PictureBox* Image1;

    void Image1Click();
    bool FormKeyDown(QKeyEvent* event);

private:
    Services services_;
};

} // namespace tiravo
