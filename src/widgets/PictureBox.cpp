#include "widgets/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>

namespace tiravo {

namespace {

QRect CentredIn(QSize size, QSize box) {
    return QRect(QPoint((box.width() - size.width()) / 2, (box.height() - size.height()) / 2),
                 size);
}

} // namespace

Qt::AspectRatioMode AspectOf(PictureMode mode) {
    return mode == PictureMode::Stretch ? Qt::IgnoreAspectRatio : Qt::KeepAspectRatio;
}

PictureBox::PictureBox(QWidget* parent, PictureMode mode) : QWidget(parent), mode_(mode) {
    // The box fills no background of its own: where there is no picture what
    // lies behind it shows through, and a label over it reads.
    setProperty("shownPicture", QString());
}

void PictureBox::setMode(PictureMode mode) {
    if (mode == mode_)
        return;
    mode_ = mode;
    scaled_ = QPixmap();
    update();
}

void PictureBox::setPicture(const QImage& picture, const QString& name) {
    if (picture.isNull()) {
        clear();
        return;
    }
    picture_ = picture;
    name_ = name;
    scaled_ = QPixmap();
    setProperty("shownPicture", name_);
    update();
}

void PictureBox::clear() {
    picture_ = QImage();
    name_.clear();
    scaled_ = QPixmap();
    setProperty("shownPicture", QString());
    update();
}

QRect PictureBox::pictureRect() const {
    if (picture_.isNull())
        return {};
    return pictureRect(mode_, picture_.size(), size());
}

QRect PictureBox::pictureRect(PictureMode mode, QSize picture, QSize box) {
    if (picture.isEmpty() || box.isEmpty())
        return {};
    switch (mode) {
    case PictureMode::Stretch:
        return QRect(QPoint(0, 0), box);
    case PictureMode::Proportional:
        return CentredIn(picture.scaled(box, Qt::KeepAspectRatio), box);
    case PictureMode::ShrinkCenter:
        if (picture.width() <= box.width() && picture.height() <= box.height())
            return CentredIn(picture, box);
        return CentredIn(picture.scaled(box, Qt::KeepAspectRatio), box);
    }
    return {};
}

void PictureBox::paintEvent(QPaintEvent*) {
    const QRect target = pictureRect();
    if (target.isEmpty())
        return;
    QPainter painter(this);
    // Painted scaled up (full screen on a projector), the picture is scaled
    // to the pixels it covers there, not to the box's and then blown up.
    const qreal scale = painter.deviceTransform().m11();
    const bool magnified = scale > devicePixelRatioF() + 0.01;
    QSize pixels = target.size();
    if (magnified) {
        pixels = painter.deviceTransform().mapRect(QRectF(target)).size().toSize();
        // A picture decoded for this size is shown as it is: a pixel or two
        // of rounding is not worth scaling a photo once more.
        const QSize off = picture_.size() - pixels;
        if (std::abs(off.width()) <= 2 && std::abs(off.height()) <= 2)
            pixels = picture_.size();
    }
    if (scaled_.size() != pixels) {
        scaled_ = QPixmap::fromImage(
            pixels == picture_.size()
                ? picture_
                : picture_.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    if (magnified)
        painter.drawPixmap(QRectF(target), scaled_, QRectF(scaled_.rect()));
    else
        painter.drawPixmap(target.topLeft(), scaled_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    // Taking the press is what brings the release here rather than to the
    // window behind.
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QWidget::mousePressEvent(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        emit clicked();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace tiravo
