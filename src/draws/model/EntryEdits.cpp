#include "draws/model/EntryEdits.h"

#include "draws/model/DrawRecord.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolRowNow.h"
#include "store/Connection.h"
#include "store/Dataset.h"
#include "store/Schema.h"
#include "store/SqlStatement.h"
#include "store/WriteScope.h"

#include <optional>

namespace tiravo {

namespace {

// The action the record names for this write, if any.
std::optional<RecordAction> ActionOf(Dataset& view, const PoolDescription& pool,
                                     Dataset::RowWrite kind,
                                     const std::optional<PoolRowNow>& before) {
    const bool availableAfter =
        view.fieldIndex(kOk) >= 0 ? view.field(kOk).asBoolean() : before && before->available;
    switch (kind) {
    case Dataset::RowWrite::Insert:
        if (availableAfter)
            return RecordAction::NameAdded;
        break;
    case Dataset::RowWrite::Delete:
        if (before && before->available)
            return RecordAction::NameRemoved;
        break;
    case Dataset::RowWrite::Edit:
        if (before && before->available && availableAfter &&
            view.fieldIndex(pool.entryColumn) >= 0 &&
            view.field(pool.entryColumn).value() != before->entry)
            return RecordAction::Edit;
        break;
    }
    return std::nullopt;
}

bool WriteRecorded(Dataset& view, Dataset::RowWrite kind, const std::function<bool()>& write) {
    const PoolDescription* pool = PoolOfTable(view.table());
    Connection& connection = view.connection();
    if (!pool || WriteScope::RecordedChangeOpen(connection) || view.fieldIndex(kCod) < 0 ||
        (kind != Dataset::RowWrite::Insert && view.recordCount() == 0))
        return write();
    // The write lock first, so that the row read is the row written.
    const WriteScope lock(connection, WriteScope::Keeps::WhatWasWritten);
    const std::int64_t cod = kind == Dataset::RowWrite::Insert ? 0 : view.field(kCod).asInteger();
    const std::optional<PoolRowNow> before =
        kind == Dataset::RowWrite::Insert ? std::nullopt : ReadPoolRow(connection, *pool, cod);
    const std::optional<RecordAction> action = ActionOf(view, *pool, kind, before);
    if (!action)
        return write();
    std::optional<RecordedMove> record;
    if (*action == RecordAction::Edit)
        record.emplace(view, std::initializer_list<Dataset*>{&view}, RecordedMove::CountOnly{});
    else
        record.emplace(view, std::initializer_list<Dataset*>{&view});
    if (!write())
        return false;
    if (kind == Dataset::RowWrite::Delete) {
        record->storedWithout(*action, cod, before->entry);
        return true;
    }
    // The new row's key is known once it is written.
    record->stored(*action, kind == Dataset::RowWrite::Insert ? view.field(kCod).asInteger() : cod);
    return true;
}

} // namespace

void RecordEntryEdits(Dataset& pool) {
    pool.aroundWrite = WriteRecorded;
}

} // namespace tiravo
