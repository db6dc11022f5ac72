#include "platform/PictureFit.h"

#include <algorithm>

namespace tiravo {

QSize fittedSize(QSize picture, const FitRequest& request) {
    if (request.box.isEmpty() || picture.isEmpty())
        return picture;
    QSize target = picture.scaled(request.box, request.mode);
    // A very long, thin picture would otherwise round to no pixels at all.
    target = target.expandedTo(QSize(1, 1));
    if (target.width() < picture.width() && target.height() < picture.height())
        return target;
    return picture;
}

QImage scaleToFit(const QImage& image, const FitRequest& request) {
    const QSize target = fittedSize(image.size(), request);
    if (target == image.size())
        return image;
    return image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace tiravo
