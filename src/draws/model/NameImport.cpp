#include "draws/model/NameImport.h"

#include "draws/model/OrderKey.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/RowLoop.h"
#include "platform/TextFile.h"
#include "store/Batch.h"
#include "store/Column.h"
#include "store/Dataset.h"

namespace tiravo {

namespace {

// The file's lines are split as every text file's are; what the import adds
// is that everything up to the first character above the blank is skipped,
// which leaves nothing of a blank or empty line.
QStringList NamesInLines(const QStringList& lines) {
    QStringList names;
    for (const QString& line : lines) {
        qsizetype start = 0;
        while (start < line.size() && line.at(start).unicode() <= 32)
            ++start;
        if (start < line.size())
            names.append(CutToWidth(line.mid(start), kImportedNameLength));
    }
    return names;
}

} // namespace

QStringList NamesToImport(const QByteArray& bytes) {
    return NamesInLines(textLines(bytes));
}

QStringList ReadNamesToImport(const QString& path) {
    return NamesInLines(readTextFileLines(path));
}

void WriteAvailableName(Dataset& row, const QString& name) {
    row.field(kNome).setAsString(name);
    row.field(kOk).setAsString(kTrueText);
    row.field(kAtivo).setAsString(kTrueText);
}

void ImportNames(Dataset& pool, Dataset& freeSlots, const QStringList& names, Random& random) {
    Batch batch(pool.connection(), {&pool, &freeSlots});
    for (const QString& name : names) {
        if (pool.locate(kNome, name))
            continue;
        if (freeSlots.recordCount() > 0) {
            EditRow(freeSlots, [&name](Dataset& row) { WriteAvailableName(row, name); });
            continue;
        }
        // Edit leaves a row that is being inserted as it is: the insert is
        // what EditRow writes, posts or drops.
        pool.insert();
        EditRow(pool, [&](Dataset& row) {
            WriteAvailableName(row, name);
            // Without a key the name would sort before every keyed one, and
            // the next draw would start from a row anybody could name.
            row.field(kOrdem).setAsString(NewOrderKey(random));
        });
    }
}

} // namespace tiravo
