#include "branding/LogoStrip.h"

#include "platform/Pictures.h"
#include "store/Dataset.h"
#include "widgets/FullScreenPresenter.h"
#include "widgets/PictureBox.h"

#include <exception>

namespace tiravo {

void ShowStoredPicture(PictureBox& box, const QString& path) {
    if (path.isEmpty()) {
        box.clear();
        return;
    }
    // No failure of a load is worth a message here, not even memory running
    // out: the box stays empty and the screen goes on.
    try {
        LoadStoredPicture(box, path);
    } catch (const std::exception&) {
        box.clear();
    }
}

void LoadStoredPicture(PictureBox& box, const QString& path) {
    box.setPicture(
        LoadPictureToFit(path, FullScreenPresenter::PresentedSize(&box), AspectOf(box.mode())),
        path);
}

void LoadLogoStrip(PictureBox& first, PictureBox& second, PictureBox& third, Dataset& images) {
    ShowStoredPicture(first, images.field(QStringLiteral("Logo1")).asString());
    ShowStoredPicture(second, images.field(QStringLiteral("Logo2")).asString());
    ShowStoredPicture(third, images.field(QStringLiteral("Logo3")).asString());
}

} // namespace tiravo
