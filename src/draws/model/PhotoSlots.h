#pragma once

#include <QString>
#include <QStringList>

namespace tiravo {

class Dataset;
class Random;

// The photo pool stores each photo as the path of its file. A row whose path
// is the empty text is a free slot, kept for the next photo the editor adds.

// The operator's message for the first path that the pool's path column,
// `width` characters wide, would store cut (and so name another file), or
// the empty text when every path fits.
QString PhotoPathTooLong(const QStringList& paths, int width);

// Puts each path into the pool as an available photo, in order: into the
// free slots of `freeSlots` first, in that view's order, each with a key built
// from fresh entropy and keeping its Ativo and Sorte; then into new rows of
// `photos`, Ativo true, with keys that continue the generator's sequence. Each
// filled slot leaves `freeSlots` on post; a slot that another program filled
// since `freeSlots` was read keeps that program's photo, and the free slots
// are read again. No test is made for a path already in the pool. Refuses, writing nothing, when a
// path would not fit. Runs in one transaction; rows stored before an error stay stored.
void AddPhotos(Dataset& photos, Dataset& freeSlots, const QStringList& paths, Random& random);

} // namespace tiravo
