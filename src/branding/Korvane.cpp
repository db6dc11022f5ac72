#include "branding/Korvane.h"

#include "branding/MakerSite.h"
#include "platform/Desktop.h"
#include "widgets/ControlKit.h"
#include "widgets/HandlerGuard.h"
#include "widgets/KeyboardConventions.h"
#include "widgets/Resources.h"
#include "widgets/WindowLook.h"

#include <QKeyEvent>

namespace tiravo {

TFKorvane::TFKorvane(QWidget* parent, Services services) : QDialog(parent), services_(services) {
    setObjectName(QStringLiteral("FKorvane"));
    InitResources();
    ApplyWindowLook(this, {.caption = QStringLiteral("Korvane - Desenvolvimento de Sistemas"),
                           .client = QSize(421, 420),
                           .font = PixelFont(QStringLiteral("MS Sans Serif"), 11)});

    Image1 = Place(NamedPicture(this, QStringLiteral("Image1"), PictureMode::Proportional), 8, 8,
                   400, 400);
    ShowBuiltIn(Image1, QStringLiteral("about.png"));
    Image1->setCursor(Qt::PointingHandCursor);
    connect(Image1, &PictureBox::clicked, this,
            [this] { RunGuarded(services_.dialogs, [this] { Image1Click(); }); });

    new KeyboardConventions(
        this, {.keyPreview = GuardedKeys(services_.dialogs,
                                         [this](QKeyEvent* event) { return FormKeyDown(event); })});
}

void TFKorvane::Image1Click() {
    // The window stays open: the card is a link, not a way out.
    services_.desktop.openWebAddress(MakerHomePage());
}

bool TFKorvane::FormKeyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape)
        return false;
    close();
    return true;
}

} // namespace tiravo
