#pragma once

#include "draws/model/DrawSkeleton.h"
#include "draws/model/HiddenPick.h"
#include "draws/model/PoolEntry.h"

#include <QString>
#include <QStringList>

#include <array>

namespace tiravo {

// Everything that tells one pool from the other two: its table and entry,
// how messages name an entry, its winners list and how its screen draws and
// picks. The screens, the editors and the database tool take what they need
// from here, so a rule of a pool is stated once.
struct PoolDescription {
    QString name;        // as the database tool names it: "numeros", "nomes", "fotos"
    QString table;       // "TbNumero"
    QString entryColumn; // "Numero"
    EntryNaming entry;
    DrawSettings draw;
    HiddenPickSettings pick;

    // The one statement that "Limpar Lista" runs over the whole pool
    // (`QryUpdate`); empty where the pool is cleared row by row.
    QStringList clearSql;

    // The winners list (`QrySorte`): every drawn entry still listed, the
    // highest place first.
    QStringList winnersSql() const;
};

const PoolDescription& NumberPool();
const PoolDescription& NamePool();
const PoolDescription& PhotoPool();

// The three, in the order the program lists them.
const std::array<const PoolDescription*, 3>& Pools();
const PoolDescription* PoolNamed(const QString& name);    // null when unknown
const PoolDescription* PoolOfTable(const QString& table); // null when unknown

} // namespace tiravo
