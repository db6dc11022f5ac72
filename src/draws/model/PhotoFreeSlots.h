#pragma once

#include <QString>

namespace tiravo {

class TableView;

// A photo row whose path is the empty text is a free slot, kept for the next
// photo the editor adds. Rows are never deleted, and a free slot keeps its
// Ordem, Ativo and Sorte.

// Every row of the photo pool, available or drawn, -> free slot. The pool view
// shows every row meanwhile; the caller switches it back, and an error
// switches it back at once, since a pool view left showing drawn photos would
// let the next draw pick one of them again.
void ClearPhotoPool(TableView& pool);

// The filter of the photo rows that hold a photo, drawn or not.
inline const QString kHeldPhotoFilter = QStringLiteral("Foto > ''");

} // namespace tiravo
