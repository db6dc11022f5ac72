// "Apresentação..." of the winners menu, the sounds made ready ahead, and the
// audience's monitor it names.
#include "draws/Apresentacao.h"
#include "draws/DrawScreen.h"
#include "draws/model/PresentationSettings.h"
#include "platform/Sound.h"

namespace tiravo {

void DrawScreen::openPresentation() {
    if (drawing_)
        return;
    TFApresentacao window(this, context_);
    if (window.exec() == QDialog::Accepted)
        prepareSound();
}

void DrawScreen::prepareSound() {
    try {
        if (ReadPresentationSettings(context_.ADOConnection1).sound)
            services_.sound.prepare();
    } catch (...) {
        // Only a head start: each draw reads the settings again, and says
        // what keeps it from reading them.
    }
}

QString DrawScreen::chosenAudienceMonitor() {
    try {
        return ReadPresentationSettings(context_.ADOConnection1).audienceMonitor;
    } catch (...) {
        // F11 still shows the audience's screen, on the monitor it would
        // choose by itself; a draw says what keeps the file from being read.
        return {};
    }
}

} // namespace tiravo
