#include "branding/Korvane.h"

#include "branding/MakerSite.h"
#include "platform/AppContext.h"
#include "platform/Desktop.h"
#include "widgets/ControlKit.h"
#include "widgets/Resources.h"
#include "widgets/WindowLook.h"

namespace tiravo {

TFKorvane::TFKorvane(QWidget* parent, AppContext& context)
    : GuardedWindow(parent, context.services.dialogs, QStringLiteral("FKorvane"),
                    {.caption = QStringLiteral("Korvane - Desenvolvimento de Sistemas"),
                     .client = QSize(421, 420),
                     .font = PixelFont(QStringLiteral("MS Sans Serif"), 11)}),
      services_(context.services) {
    InitResources();

    Image1 = Place(NamedPicture(this, QStringLiteral("Image1"), PictureMode::Proportional), 8, 8,
                   400, 400);
    ShowBuiltIn(Image1, QStringLiteral("about.png"));
    Image1->setCursor(Qt::PointingHandCursor);
    connect(Image1, &PictureBox::clicked, this, [this] { guarded([this] { Image1Click(); }); });
}

void TFKorvane::Image1Click() {
    // The window stays open: the card is a link, not a way out.
    services_.desktop.openWebAddress(MakerHomePage());
}

} // namespace tiravo
