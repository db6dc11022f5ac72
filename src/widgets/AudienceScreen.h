#pragma once

#include <QImage>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <QString>
#include <QWidget>

#include <vector>

class QScreen;

namespace tiravo {

// One line of the audience's winners list.
struct AudienceWinner {
    QString place;  // "3º"
    QString entry;  // the number or the name; empty for a photo
    QImage picture; // the photo, if the entry is one
    // The photo's file: a winner given again without its picture keeps the
    // one it was shown with.
    QString picturePath;
};

// What the audience sees of a draw screen: its stage (the big picture box and
// whatever lies over it: the label, the prize band), its logo strip, the
// latest winners and the event's background picture.
struct AudienceParts {
    QWidget* stage = nullptr;
    QList<QWidget*> logos;
    QString background; // a picture file; empty: black
};

// The monitor the audience screen goes to: the one named `preferred`
// (QScreen::name()) when it is there and is not the one `window` is on, else
// the first other monitor; null when `window` has the only one.
QScreen* AudienceMonitor(const QWidget* window, const QString& preferred);

// The stage alone, full screen on a monitor of its own, while the draw
// screen stays where it is with all its controls. Laid out for a 16:9 wall
// and scaled to the monitor, the draw screen's controls painted crisp at the
// monitor's resolution. Each paint of a control it shows reaches this screen
// before the repaint that asked for it returns, so a draw's every frame is on
// both screens before its pause begins.
class AudienceScreen final : public QWidget {
    Q_OBJECT
public:
    // The layout's own size: everything is placed in these pixels.
    static constexpr QSize kDesign{1920, 1080};

    AudienceScreen(QWidget* window, const AudienceParts& parts);
    ~AudienceScreen() override;

    // Shows it full screen on `monitor`. It never takes the focus.
    void start(QScreen* monitor);
    // Hides it and lets it go; safe to call more than once.
    void end();
    bool isShowing() const { return showing_; }

    // The background picture (or black) alone, or the stage again.
    void setBlank(bool blank);
    bool isBlank() const { return blank_; }

    // The winners list, newest first.
    void setWinners(const QList<AudienceWinner>& winners);
    const QList<AudienceWinner>& winners() const { return winners_; }

    // Design pixels to the monitor's logical pixels.
    qreal scale() const { return scale_; }
    // Where `control` (the stage, a logo, or one lying on them) is shown, in
    // this screen's logical pixels; empty when it is not shown here.
    QRect placeOf(const QWidget* control) const;
    // The pixels `control` covers on the monitor; empty when not shown.
    QSize shownSize(const QWidget* control) const;

    // The audience screen of `widget`'s window while it shows; null otherwise.
    static AudienceScreen* Of(const QWidget* widget);

signals:
    void ended();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A piece of the draw screen (window pixels) and where the layout puts it.
    struct Part {
        QRect source;
        QRectF target; // design pixels
    };

    QRectF toScreen(const QRectF& design) const;
    QRect placeOf(const Part& part) const;
    void noteDirty(QWidget* control, const QRegion& region);
    void scheduleFlush();
    void flush();
    void makeBackground();

    QWidget* window_;
    std::vector<Part> parts_;
    QString backgroundPath_;
    QImage backgroundPicture_;
    QPixmap background_; // at this screen's size
    QList<AudienceWinner> winners_;
    qreal scale_ = 1;
    QPointF offset_;
    QPointer<QScreen> monitor_;
    QRegion pending_;
    bool showing_ = false;
    bool blank_ = false;
    bool rendering_ = false;
    bool syncing_ = false;
    bool flushScheduled_ = false;
};

} // namespace tiravo
