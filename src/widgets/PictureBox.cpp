#include "widgets/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace tiravo {

namespace {

QRect CentredIn(QSize size, QSize box) {
    return QRect(QPoint((box.width() - size.width()) / 2, (box.height() - size.height()) / 2),
                 size);
}

} // namespace

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
    if (scaled_.size() != target.size()) {
        scaled_ = QPixmap::fromImage(
            target.size() == picture_.size()
                ? picture_
                : picture_.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    QPainter painter(this);
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
