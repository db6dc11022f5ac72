#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <deque>
#include <memory>

namespace tiravo {

// Decodes the photos a run of frames is about to show on worker threads, so
// that each frame has only to put its picture on the screen: a camera photo
// takes longer to decode than a frame lasts. Only file paths go to the
// workers and only pictures (or the loader's error) come back; everything
// else stays on the thread that asks.
//
// The pictures are those LoadPictureToFit gives for the box, and a photo that
// cannot be loaded fails when it is taken, not when it is decoded ahead: a
// frame shows what it would have shown, and fails where it would have failed.
class PhotoPrefetch {
public:
    explicit PhotoPrefetch(QSize box, int workers = 2);
    ~PhotoPrefetch();
    PhotoPrefetch(const PhotoPrefetch&) = delete;
    PhotoPrefetch& operator=(const PhotoPrefetch&) = delete;

    // The photos that will be taken next, in order. What is decoded or being
    // decoded for the same beginning of that order is kept; the rest is
    // dropped and the new part begun.
    void expect(const QStringList& paths);

    // The picture of `path`: the one decoded ahead when it is the next one
    // expected (waiting for it if need be), otherwise decoded now, in which
    // case nothing expected is kept. Throws the loader's error.
    QImage take(const QString& path);

    // Nothing more is coming: decodes not yet begun are not begun.
    void forget();

    // Pictures are from now on decoded for `box`; what was decoded ahead for
    // another size is dropped.
    void setBox(QSize box);

    // The photos expected and not yet taken, in order.
    QStringList expected() const;

private:
    struct Slot;
    struct Ahead {
        QString path;
        std::shared_ptr<Slot> slot;
    };

    void dropFrom(std::size_t place);

    QSize box_;
    QThreadPool workers_;
    std::deque<Ahead> ahead_;
};

} // namespace tiravo
