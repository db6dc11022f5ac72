#include "draws/model/PhotoSlots.h"

#include "common/Error.h"
#include "draws/model/DrawRecord.h"
#include "draws/model/OrderKey.h"
#include "draws/model/PoolColumns.h"
#include "store/Column.h"
#include "store/Dataset.h"
#include "store/RowLoop.h"

#include <QFileInfo>

namespace tiravo {

namespace {

void InsertPhoto(Dataset& photos, const QString& path, Random& random) {
    photos.insert();
    try {
        photos.field(kFoto).setAsString(path);
        photos.field(kOk).setAsBoolean(true);
        photos.field(kAtivo).setAsBoolean(true);
        photos.field(kOrdem).setAsString(NewOrderKey(random));
        photos.post();
    } catch (...) {
        photos.cancel();
        throw;
    }
}

} // namespace

QString PhotoPathTooLong(const QStringList& paths, int width) {
    for (const QString& path : paths) {
        if (CutToWidth(path, width) != path)
            return QStringLiteral("A foto \"%1\" não pode ser incluída: o caminho dela tem %2 "
                                  "caracteres, mais do que os %3 que a lista de fotos guarda. "
                                  "Mova as fotos para uma pasta de caminho mais curto. Nenhuma "
                                  "foto foi incluída.")
                .arg(QFileInfo(path).fileName())
                .arg(path.toUcs4().size())
                .arg(width);
    }
    return {};
}

void AddPhotos(Dataset& photos, Dataset& freeSlots, const QStringList& paths, Random& random) {
    const QString tooLong = PhotoPathTooLong(paths, photos.field(kFoto).column().width);
    if (!tooLong.isEmpty())
        throw Error(tooLong);
    const RecordedBulk record(photos, RecordAction::Photos, {&photos, &freeSlots});
    freeSlots.first();
    for (const QString& path : paths) {
        bool stored = false;
        while (!stored && freeSlots.recordCount() > 0) {
            stored = EditRowIfStill(freeSlots, kFoto, [&](Dataset& slot) {
                slot.field(kFoto).setAsString(path);
                slot.field(kOk).setAsString(kTrueText);
                slot.field(kOrdem).setAsString(NewReseededOrderKey(random));
            });
            // Another program filled the slot since this view read it: its
            // photo stays, and the free slots are read again.
            if (!stored) {
                freeSlots.close();
                freeSlots.open();
            }
        }
        if (!stored)
            InsertPhoto(photos, path, random);
    }
}

} // namespace tiravo
