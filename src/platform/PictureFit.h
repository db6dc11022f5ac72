#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace tiravo {

// A picture file read into memory; the path is kept for the messages.
struct PictureFile {
    QString path;
    QByteArray bytes;
};

// The box a picture is to be shown in. An empty box asks for the picture at
// its own size.
struct FitRequest {
    QSize box;
    Qt::AspectRatioMode mode = Qt::KeepAspectRatio;
};

// The size to decode a picture of `picture` pixels at for `request`: the
// size the box shows it at when that is smaller than the picture in both
// directions, otherwise the picture's own size (a box that enlarges or
// stretches a picture gains nothing from a smaller decode).
QSize fittedSize(QSize picture, const FitRequest& request);

// `image` brought down to fittedSize(); a null image when memory runs out.
QImage scaleToFit(const QImage& image, const FitRequest& request);

} // namespace tiravo
