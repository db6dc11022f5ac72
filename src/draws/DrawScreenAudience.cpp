#include "draws/DrawScreen.h"

#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "platform/Pictures.h"
#include "store/Query.h"
#include "widgets/AudienceScreen.h"
#include "widgets/FullScreenPresenter.h"
#include "widgets/PictureBox.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace tiravo {

namespace {

// As many winners as the audience's list has room for.
constexpr int kAudienceWinners = 10;
// A winner's photo in that list, large enough to stay crisp on a 4K wall.
constexpr QSize kWinnerPhoto(400, 300);

// The event's background picture (the partners window's "Fundo de Tela"),
// as the main window last read it; empty when none is chosen.
QString BackgroundPath(const AppContext& context) {
    const TableView& images = context.TbImage;
    return images.active() && images.recordCount() > 0
               ? images.displayText(0, QStringLiteral("TelaFundo"))
               : QString();
}

// That picture for a monitor of `pixels`; null without one, or when it cannot
// be read: the wall goes black rather than stop the show with a message.
QImage BackgroundFor(const AppContext& context, QSize pixels) {
    const QString path = BackgroundPath(context);
    if (path.isEmpty())
        return {};
    try {
        return LoadPictureToFit(path, pixels, Qt::KeepAspectRatioByExpanding);
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace

AudienceScreen* DrawScreen::audienceScreen() const {
    return audience_ && audience_->isShowing() ? audience_.data() : nullptr;
}

bool DrawScreen::takeAudienceKey(QKeyEvent* key) {
    AudienceScreen* audience = audienceScreen();
    if (key->key() == Qt::Key_F11 && !key->isAutoRepeat() && !fullScreen->isActive()) {
        if (audience) {
            endAudience();
            return true;
        }
        // With one monitor, F11 shows this screen full screen as ever.
        QScreen* monitor = AudienceMonitor(this, chosenAudienceMonitor());
        if (!monitor || !isVisible())
            return false;
        startAudience(monitor);
        return true;
    }
    if (key->key() == Qt::Key_Escape && audience) {
        endAudience();
        return true;
    }
    if (!audience && !fullScreen->isActive())
        return false;
    // A presentation clicker's "next", and its "blank the screen".
    if (key->key() == Qt::Key_PageDown) {
        if (audience)
            audience->setBlank(false);
        else
            fullScreen->setBlank(false);
        if (Button5->isEnabled())
            Button5->click();
        return true;
    }
    const bool blankKey = key->key() == Qt::Key_B || key->key() == Qt::Key_Period;
    if (!blankKey || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (key->isAutoRepeat())
        return true;
    if (audience) {
        audience->setBlank(!audience->isBlank());
    } else if (fullScreen->isBlank()) {
        fullScreen->setBlank(false);
    } else {
        // With one monitor the full screen is what the audience sees.
        fullScreen->setBlank(true, BackgroundFor(context_, screen()->geometry().size() *
                                                               screen()->devicePixelRatio()));
    }
    return true;
    return false;
}

void DrawScreen::startAudience(QScreen* monitor) {
    if (!audience_) {
        const QString background =
            context_.TbImage.active()
                ? context_.TbImage.field(QStringLiteral("TelaFundo")).asString()
                : QString();
        audience_ = new AudienceScreen(this, {.stage = stagePicture_,
                                              .logos = {ImageLog1, ImageLog2, ImageLog3},
                                              .background = background});
        connect(audience_, &AudienceScreen::ended, audience_, &QObject::deleteLater);
    }
    audience_->start(monitor);
    showAudienceWinners();
    // The stage's pictures are read again for the size the wall shows them at.
    fullScreen->sharpenPictures();
}

void DrawScreen::endAudience() {
    if (audience_)
        audience_->end();
}

void DrawScreen::showAudienceWinners() {
    AudienceScreen* audience = audienceScreen();
    if (!audience || !drawWinners_ || !drawDescription_)
        return;
    const Query& winners = *drawWinners_;
    const bool photos = drawDescription_->entryColumn == kFoto;
    const QList<PictureBox*> boxes = findChildren<PictureBox*>();
    QList<AudienceWinner> list;
    for (int row = 0; row < winners.recordCount() && row < kAudienceWinners; ++row) {
        AudienceWinner winner;
        const QString place = winners.displayText(row, kSorte);
        winner.place = place.isEmpty() ? QString() : place + QStringLiteral("º");
        const QString entry = winners.displayText(row, drawDescription_->entryColumn);
        if (!photos) {
            winner.entry = entry;
        } else {
            winner.picturePath = entry;
            // The largest picture of it the screen holds: the big one just
            // after its draw, else the winners column's.
            const QImage* best = nullptr;
            for (const PictureBox* box : boxes)
                if (box->pictureName() == entry && box->hasPicture() &&
                    (!best || box->picture().width() > best->width()))
                    best = &box->picture();
            if (best)
                winner.picture =
                    best->scaled(kWinnerPhoto, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        list.append(winner);
    }
    audience->setWinners(list);
}

} // namespace tiravo
