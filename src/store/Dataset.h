#pragma once

#include "store/Column.h"
#include "store/FlatRows.h"
#include "store/Value.h"

#include <QObject>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

namespace tiravo {

class Connection;
class Dataset;
class LocateIndex;
class SqlStatement;

enum class DatasetState { Inactive, Browse, Edit, Insert };

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false; // the column begins with the value
};

// One column of the current row, read and written through its text or
// directly.
class Field {
public:
    Field(Dataset& dataset, std::size_t index) : dataset_(&dataset), index_(index) {}

    const Column& column() const;
    const QString& name() const { return column().name; }

    Value value() const;
    void setValue(const Value& value);

    bool isNull() const { return IsNull(value()); }
    // Whether the row being edited has been given a value here.
    bool modified() const;
    QString asString() const;
    void setAsString(const QString& text);
    std::int64_t asInteger() const; // 0 for null
    void setAsInteger(std::int64_t number) { setValue(number); }
    bool asBoolean() const; // false for null
    void setAsBoolean(bool flag) { setValue(flag); }
    void clear() { setValue(Value{}); }

private:
    Dataset* dataset_;
    std::size_t index_;
};

// A cursor over a snapshot of rows. Opening reads the rows into memory;
// posting writes one row through at once and updates the snapshot. Changes
// made through other datasets show only after this one is closed and opened
// again. Subclasses say which rows are read and which of them are shown.
class Dataset : public QObject {
    Q_OBJECT
public:
    explicit Dataset(Connection& connection);
    ~Dataset() override;

    Connection& connection() const { return connection_; }
    // The table the rows come from; empty for a query over none or several.
    QString table() const { return tableName(); }

    void open();
    void close();
    // Whether another connection to the file, most often another copy of the
    // program, has committed since this view was opened: what it shows may
    // then be out of date. One statement; reads no table.
    bool changedElsewhere() const;
    bool active() const { return state_ != DatasetState::Inactive; }
    DatasetState state() const { return state_; }
    bool editing() const { return state_ == DatasetState::Edit || state_ == DatasetState::Insert; }

    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    int recordCount() const;
    int recNo() const; // 0-based place of the cursor, -1 when empty
    void moveTo(int place);

    void edit();
    void insert();
    void post();
    // Posts an edited row only if its row in the file still holds, in
    // `column`, the value this view read: the write and the test are one
    // statement, so two programs on one file cannot both change a row that
    // one of them has just changed. Answers false, with nothing written and
    // the row still in editing, when another program changed that value or
    // deleted the row meanwhile. A new row is posted as by post().
    bool postIfStill(const QString& column);
    void cancel();
    void deleteRecord();
    // Whether the file still holds, in `column` of the row at `place`, the
    // value this view read; false too when the row is gone from the file.
    bool stillHolds(int place, const QString& column);
    // Moves on each time the view lets go of the rows it read (closed, and
    // perhaps opened again): what holds onto those rows must let go too.
    std::uint64_t readings() const { return readings_; }
    bool modified() const;

    bool locate(const QString& column, const QString& value, LocateOptions options = {});

    Field field(const QString& name);
    Field field(std::size_t index) { return Field(*this, index); }
    int fieldIndex(const QString& name) const; // -1 when not declared
    const std::vector<Column>& columns() const { return columns_; }

    // The value shown at a place of the view, for grids that draw every row.
    QString displayText(int place, std::size_t column) const;
    // The same by the column's name, which must be declared: as
    // field(name).asString() gives it with the cursor at `place`.
    QString displayText(int place, const QString& column) const;

    std::function<void(Dataset&)> afterInsert;
    std::function<void(Dataset&)> beforePost;

    // Runs each write of one row through this view (a post of a new or an
    // edited row, a delete), so that what must be stored with the row goes
    // into one transaction with it. It calls `write`, which answers whether
    // the row was written, and answers the same. The row is still in editing
    // while a post writes it; a delete is asked before it begins.
    enum class RowWrite { Insert, Edit, Delete };
    std::function<bool(Dataset&, RowWrite, const std::function<bool()>& write)> aroundWrite;

signals:
    void cursorMoved();  // the current row is another one
    void rowsChanged();  // rows joined, left or were re-ordered
    void stateChanged(); // editing began or ended
    void fieldChanged(int column);

protected:
    // Fills columns_ and returns every row the snapshot holds, in the store's
    // order; columns_ must declare "Cod" to be written back.
    virtual FlatRows load() = 0;
    // Whether the row at an index of rows() is shown; queries show every row
    // they read.
    virtual bool passes(std::size_t row) const = 0;
    // Puts the shown rows (indices into rows_) in the view's order.
    virtual void order(std::deque<std::size_t>& shown) const;
    virtual QString tableName() const = 0;
    // The text column whose order order() gives the shown rows, if any (see
    // LocateIndex::reset).
    virtual std::optional<std::size_t> sortedColumn() const { return std::nullopt; }
    // Whether a change of `column` may let a row into the view or out of it.
    virtual bool filterReads(std::size_t) const { return false; }

    // Every row a statement yields, typed by columns_.
    FlatRows readRows(SqlStatement& statement) const;

    // Posts or drops a row being edited before the cursor moves.
    void checkBrowseMode();
    // Recomputes which rows show, in which order; the cursor goes first.
    void rebuild();
    // The same when the caller knows the rows shown and their order.
    void showInOrder(const std::vector<std::size_t>& rows);

    const FlatRows& rows() const { return rows_; }
    std::vector<Column> columns_;

private:
    friend class Field;
    friend class ColumnRewrite;

    std::optional<std::size_t> currentRow() const;
    void requireEditing() const;
    void requireActive() const;
    std::size_t keyColumn() const;
    bool store(std::optional<std::size_t> guard);
    bool write(std::optional<std::size_t> guard);
    const QString& writeSql(bool inserting, std::uint64_t columns,
                            std::optional<std::size_t> guard);
    void removeShownAtCursor();
    // Takes the cursor's place out of the rows shown, the snapshot's row
    // already dealt with.
    void dropShownAtCursor();
    void setCursor(std::size_t place);

    Connection& connection_;
    DatasetState state_ = DatasetState::Inactive;
    FlatRows rows_;
    std::vector<bool> alive_;
    // Indices into rows_ in view order. A deque, because rows begin at the
    // cursor and bulk loops insert at the front.
    std::deque<std::size_t> shown_;
    std::size_t cursor_ = 0;
    bool eof_ = true;
    bool bof_ = true;
    // The connection's data version when the rows were read.
    std::int64_t readVersion_ = 0;
    std::uint64_t readings_ = 0;

    std::vector<Value> buffer_;
    std::vector<bool> dirty_;
    // The write statements already built, by kind, columns written and the
    // column whose value as read must still be there (-1: none).
    std::map<std::tuple<bool, std::uint64_t, int>, QString> writeSql_;
    // Finds rows for locate(); told of every change to the shown rows.
    std::unique_ptr<LocateIndex> index_;
    bool insideAroundWrite_ = false;
};

} // namespace tiravo
