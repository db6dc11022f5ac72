#pragma once

#include "platform/Services.h"
#include "widgets/GuardedWindow.h"

namespace tiravo {

class AppContext;
class PictureBox;

// The about window: the maker's picture card, whose click opens the maker's
// home page.
class TFKorvane : public GuardedWindow {
    Q_OBJECT
public:
    TFKorvane(QWidget* parent, AppContext& context);

    PictureBox* Image1;

    void Image1Click();

private:
    Services services_;
};

} // namespace tiravo
