#include "draws/model/NameImport.h"

#include "draws/model/DrawRecord.h"
#include "draws/model/NameForm.h"
#include "draws/model/OrderKey.h"
#include "draws/model/PoolColumns.h"
#include "platform/TextFile.h"
#include "store/Column.h"
#include "store/Connection.h"
#include "store/Dataset.h"
#include "store/RowLoop.h"

#include <optional>

namespace tiravo {

QStringList ImportedNames(const QStringList& lines) {
    // The file's lines are split as every text file's are; what the import
    // adds is that everything up to the first character above the blank is
    // skipped, which leaves nothing of a blank or empty line. The skip comes
    // after the name's normal form, so that a line of invisible characters
    // is an empty one and the blanks behind them are skipped too.
    QStringList names;
    for (const QString& read : lines) {
        const QString line = NormalizedName(read);
        qsizetype start = 0;
        while (start < line.size() && line.at(start).unicode() <= 32)
            ++start;
        if (start < line.size())
            names.append(CutToWidth(line.mid(start), kImportedNameLength));
    }
    return names;
}

QStringList NamesToImport(const QByteArray& bytes) {
    return ImportedNames(textLines(bytes));
}

QStringList ReadNamesToImport(const QString& path) {
    return ImportedNames(readTextFileLines(path));
}

void WriteAvailableName(Dataset& row, const QString& name) {
    row.field(kNome).setAsString(StoredName(name, row.field(kNome).column().width));
    row.field(kOk).setAsString(kTrueText);
    row.field(kAtivo).setAsString(kTrueText);
}

void AddAvailableName(Dataset& pool, Dataset& freeSlots, const QString& name, Random& random,
                      NameSource source) {
    // The typed name's key is built before the free slot is looked at, so the
    // generator is reseeded for it either way.
    const QString typedKey = source == NameSource::Typed ? NewReseededOrderKey(random) : QString();
    const auto write = [&](Dataset& row) {
        WriteAvailableName(row, name);
        if (!typedKey.isEmpty())
            row.field(kOrdem).setAsString(typedKey);
    };
    // A typed name is a record row of its own; the names of a file share
    // their import's one row.
    std::optional<RecordedMove> record;
    if (source == NameSource::Typed)
        record.emplace(pool, std::initializer_list<Dataset*>{&pool, &freeSlots});
    std::int64_t item = 0;
    if (freeSlots.recordCount() > 0) {
        item = freeSlots.field(kCod).asInteger();
        EditRow(freeSlots, write);
    } else {
        // Edit leaves a row that is being inserted as it is: the insert is
        // what EditRow writes, posts or drops.
        pool.insert();
        EditRow(pool, [&](Dataset& row) {
            write(row);
            // Without a key the name would sort before every keyed one, and
            // the next draw would start from a row anybody could name.
            if (typedKey.isEmpty())
                row.field(kOrdem).setAsString(NewOrderKey(random));
        });
        item = pool.connection().lastInsertedKey();
    }
    if (record)
        record->stored(RecordAction::NameAdded, item);
}

void ImportNames(Dataset& pool, Dataset& freeSlots, const QStringList& names, Random& random) {
    const RecordedBulk record(pool, RecordAction::Import, {&pool, &freeSlots});
    const int width = pool.field(kNome).column().width;
    for (const QString& line : names) {
        // Tested as it would be stored, or a name longer than the column
        // would be added again by every import of its file.
        const QString name = StoredName(line, width);
        if (!name.isEmpty() && !pool.locate(kNome, name))
            AddAvailableName(pool, freeSlots, name, random, NameSource::Imported);
    }
}

} // namespace tiravo
