#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

namespace tiravo::test {

// Damaged picture files made on the spot from good ones of every kind the
// loader knows: cut short at many places, bytes flipped, headers that lie
// about sizes and dimensions, chunks and entries that point past the end.
struct DamagedPicture {
    enum class Damage { Truncated, Flipped, Lying };

    QString name; // with the extension of its kind
    QByteArray bytes;
    Damage damage;
    // Truncated files only: the cut leaves every byte of the picture's data
    // (only a trailer is missing), so the whole picture may still show.
    bool dataComplete = false;
};

// The good picture every damaged file was made from.
QImage damagedPicturesOriginal();

std::vector<DamagedPicture> damagedPictures();

} // namespace tiravo::test
