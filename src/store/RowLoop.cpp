#include "store/RowLoop.h"

#include "common/Error.h"
#include "store/Dataset.h"
#include "store/WriteScope.h"

namespace tiravo {

void EditRow(Dataset& rows, const std::function<void(Dataset&)>& write) {
    rows.edit();
    try {
        write(rows);
        rows.post();
    } catch (...) {
        rows.cancel();
        throw;
    }
}

bool EditRowIfStill(Dataset& rows, const QString& column,
                    const std::function<void(Dataset&)>& write) {
    rows.edit();
    try {
        write(rows);
        if (rows.postIfStill(column))
            return true;
    } catch (...) {
        rows.cancel();
        throw;
    }
    rows.cancel();
    return false;
}

void EditEachRow(Dataset& rows, RowWalk walk, const std::function<void(Dataset&)>& write) {
    const WriteScope change(rows.connection(), WriteScope::Keeps::WhatWasWritten, {&rows});
    if (walk == RowWalk::UntilEmpty) {
        for (int left = rows.recordCount(); left > 0; --left) {
            EditRow(rows, write);
            // A row that stayed would be met again for ever.
            if (rows.recordCount() >= left)
                throw Error(
                    QStringLiteral("A stored row did not leave the list it was taken from"));
        }
        return;
    }
    if (walk == RowWalk::FromFirst)
        rows.first();
    for (; !rows.eof() && rows.recordCount() > 0; rows.next())
        EditRow(rows, write);
}

} // namespace tiravo
