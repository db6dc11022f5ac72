#include "branding/LogoStrip.h"

#include "common/Error.h"
#include "platform/Pictures.h"
#include "store/Dataset.h"
#include "widgets/PictureBox.h"

namespace tiravo {

void ShowStoredPicture(PictureBox& box, const QString& path) {
    if (path.isEmpty()) {
        box.clear();
        return;
    }
    const Qt::AspectRatioMode aspect =
        box.mode() == PictureMode::Stretch ? Qt::IgnoreAspectRatio : Qt::KeepAspectRatio;
    try {
        box.setPicture(LoadPictureToFit(path, box.size(), aspect), path);
    } catch (const Error&) {
        box.clear();
    }
}

void LoadLogoStrip(PictureBox& first, PictureBox& second, PictureBox& third, Dataset& images) {
    ShowStoredPicture(first, images.field(QStringLiteral("Logo1")).asString());
    ShowStoredPicture(second, images.field(QStringLiteral("Logo2")).asString());
    ShowStoredPicture(third, images.field(QStringLiteral("Logo3")).asString());
}

} // namespace tiravo
