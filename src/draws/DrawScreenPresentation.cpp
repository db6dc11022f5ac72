// "Apresentação..." of the winners menu.
#include "draws/Apresentacao.h"
#include "draws/DrawScreen.h"

namespace tiravo {

void DrawScreen::openPresentation() {
    if (drawing_)
        return;
    TFApresentacao window(this, context_);
    window.exec();
}

} // namespace tiravo
