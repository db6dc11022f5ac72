#include "draws/model/DrawRecord.h"

#include "draws/model/AvailableEntries.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolRowNow.h"
#include "draws/model/RecordChain.h"
#include "store/Column.h"
#include "store/Connection.h"
#include "store/Dataset.h"
#include "store/Schema.h"
#include "store/SqlStatement.h"

#include <QDateTime>

#include <exception>
#include <map>

namespace tiravo {

namespace {

struct ActionName {
    RecordAction action;
    const char16_t* text;
    bool entry;
    bool draw;
};

constexpr ActionName kActions[] = {
    {RecordAction::Draw, u"sorteio", true, true},
    {RecordAction::HiddenPick, u"quem será", true, false},
    {RecordAction::TakeOut, u"retirada", true, true},
    {RecordAction::Return, u"devolução", true, false},
    {RecordAction::NameAdded, u"inclusão", true, false},
    {RecordAction::NameRemoved, u"remoção", true, false},
    {RecordAction::Clear, u"limpeza", false, false},
    {RecordAction::Release, u"liberação", false, false},
    {RecordAction::Import, u"importação", false, false},
    {RecordAction::Range, u"faixa", false, false},
    {RecordAction::Photos, u"fotos", false, false},
    {RecordAction::Edit, u"alteração", true, false},
};

std::map<const Connection*, int>& OpenActions() {
    static std::map<const Connection*, int> open;
    return open;
}

const ActionName* Named(const QString& text) {
    for (const ActionName& known : kActions)
        if (text == QStringView(known.text))
            return &known;
    return nullptr;
}

QString OffsetText(int seconds) {
    const QChar sign = seconds < 0 ? u'-' : u'+';
    seconds = std::abs(seconds);
    return QStringLiteral("%1%2:%3")
        .arg(sign)
        .arg(seconds / 3600, 2, 10, QChar(u'0'))
        .arg(seconds / 60 % 60, 2, 10, QChar(u'0'));
}

QString EntryText(const Value& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return QString::number(*number);
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    return {};
}

std::int64_t CountAvailable(Connection& connection, const PoolDescription& pool) {
    SqlStatement& count = connection.statement(
        QStringLiteral("SELECT count(*) FROM \"%1\" WHERE \"Ok\" = 1").arg(pool.table));
    count.step();
    const std::int64_t result = std::get<std::int64_t>(count.column(0, ColumnType::Integer));
    count.reset();
    return result;
}

// Fills in the sequence, the time, the operator and the hashes, and stores
// the row. Runs inside the change's transaction.
void Append(Connection& connection, RecordRow row) {
    SqlStatement& last = connection.statement(
        QStringLiteral("SELECT \"Sequencia\", \"Hash\" FROM \"%1\" ORDER BY \"Cod\" DESC LIMIT 1")
            .arg(kRecordTable));
    row.sequence = 1;
    row.previousHash = kFirstPreviousHash;
    if (last.step()) {
        const Value sequence = last.column(0, ColumnType::Integer);
        if (const auto* number = std::get_if<std::int64_t>(&sequence))
            row.sequence = *number + 1;
        row.previousHash = std::get<QString>(last.column(1, ColumnType::Text));
    }
    last.reset();

    const QDateTime now = QDateTime::currentDateTime();
    row.moment = now.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
    row.offset = OffsetText(now.offsetFromUtc());
    row.operatorName = CutToWidth(connection.operatorName(), 30);
    if (row.entry)
        row.entry = CutToWidth(*row.entry, 200);
    row.hash = RowHash(row);

    const std::vector<Column>& columns = TableNamed(kRecordTable).columns;
    QStringList names;
    QStringList marks;
    for (std::size_t i = 1; i < columns.size(); ++i) {
        names << u'"' + columns[i].name + u'"';
        marks << QStringLiteral("?");
    }
    SqlStatement& insert =
        connection.statement(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                 .arg(kRecordTable, names.join(", "), marks.join(", ")));
    std::vector<Value> values = HashedFields(row);
    values.push_back(row.hash);
    for (std::size_t i = 0; i < values.size(); ++i)
        insert.bind(int(i) + 1, values[i]);
    insert.step();
    insert.reset();
}

} // namespace

QString RecordActionText(RecordAction action) {
    for (const ActionName& known : kActions)
        if (known.action == action)
            return QString::fromUtf16(known.text);
    return {};
}

bool IsEntryAction(const QString& actionText) {
    const ActionName* known = Named(actionText);
    return known && known->entry;
}

bool IsDrawAction(const QString& actionText) {
    const ActionName* known = Named(actionText);
    return known && known->draw;
}

bool RecordedActionOpen(const Connection& connection) {
    const auto found = OpenActions().find(&connection);
    return found != OpenActions().end() && found->second > 0;
}

OpenRecordedAction::OpenRecordedAction(const Connection& connection) : connection_(connection) {
    ++OpenActions()[&connection_];
}

OpenRecordedAction::~OpenRecordedAction() {
    if (--OpenActions()[&connection_] == 0)
        OpenActions().erase(&connection_);
}

RecordedMove::RecordedMove(Dataset& pool, std::initializer_list<Dataset*> showing,
                           const AvailableEntries* before)
    : open_(pool.connection()), connection_(pool.connection()), pool_(PoolOfTable(pool.table())),
      showing_(showing), batch_(pool.connection(), showing),
      unwinding_(std::uncaught_exceptions()) {
    savepoint_.emplace(connection_);
    if (!pool_)
        return;
    // Entries read before this transaction took the write lock hold only
    // while no other program has committed since. The row names the entries
    // the change was made over: a view that missed another program's change
    // is what a draw walked, not the file.
    const bool stillHold =
        before && before->table == pool_->table && before->dataVersion == connection_.dataVersion();
    const AvailableEntries entries = stillHold ? *before
                                     : pool.changedElsewhere()
                                         ? EntriesOfView(pool, *pool_)
                                         : AvailableEntriesReading(connection_, *pool_).readAll();
    available_ = entries.count;
    fingerprint_ = entries.fingerprint;
}

RecordedMove::RecordedMove(Dataset& pool, std::initializer_list<Dataset*> showing, CountOnly)
    : open_(pool.connection()), connection_(pool.connection()), pool_(PoolOfTable(pool.table())),
      showing_(showing), batch_(pool.connection(), showing),
      unwinding_(std::uncaught_exceptions()) {
    savepoint_.emplace(connection_);
    if (pool_)
        available_ = CountAvailable(connection_, *pool_);
}

void RecordedMove::stored(RecordAction action, std::int64_t item) {
    std::optional<PoolRowNow> row;
    if (pool_)
        row = ReadPoolRow(connection_, *pool_, item);
    append(action, item, row ? row->entry : Value(), row ? row->place : Value());
}

void RecordedMove::storedWithout(RecordAction action, std::int64_t item, const Value& entry) {
    append(action, item, entry, Value());
}

Value RecordedMove::entryNow(std::int64_t item) {
    if (!pool_)
        return {};
    const std::optional<PoolRowNow> row = ReadPoolRow(connection_, *pool_, item);
    return row ? row->entry : Value();
}

void RecordedMove::append(RecordAction action, std::int64_t item, const Value& entry,
                          const Value& place) {
    if (pool_) {
        RecordRow row;
        row.pool = pool_->name;
        row.action = RecordActionText(action);
        row.item = item;
        row.entry = EntryText(entry);
        if (IsDrawAction(row.action))
            if (const auto* number = std::get_if<std::int64_t>(&place))
                row.place = *number;
        row.available = available_;
        row.fingerprint = fingerprint_;
        Append(connection_, std::move(row));
    }
    savepoint_->release();
    done_ = true;
}

RecordedMove::~RecordedMove() {
    if (done_)
        return;
    // Undoes a change whose record row could not follow it.
    savepoint_.reset();
    if (std::uncaught_exceptions() > unwinding_) {
        for (Dataset* view : showing_) {
            try {
                view->cancel();
                view->close();
                view->open();
            } catch (...) {
                // Closed is still nothing the file does not hold.
            }
        }
    }
}

RecordedBulk::RecordedBulk(Dataset& rows, RecordAction action,
                           std::initializer_list<Dataset*> showing)
    : RecordedBulk(rows.connection(), rows.table(), action, showing) {}

RecordedBulk::RecordedBulk(Connection& connection, const QString& table, RecordAction action,
                           std::initializer_list<Dataset*> showing)
    : open_(connection), connection_(connection), pool_(PoolOfTable(table)), action_(action),
      batch_(connection, showing), unwinding_(std::uncaught_exceptions()) {
    if (pool_)
        available_ = CountAvailable(connection_, *pool_);
    changesBefore_ = connection_.totalChangedRows();
}

void RecordedBulk::undone() {
    changesBefore_ = connection_.totalChangedRows();
}

void RecordedBulk::append() {
    const std::int64_t written = connection_.totalChangedRows() - changesBefore_;
    if (!pool_ || written <= 0 || !connection_.inTransaction())
        return;
    RecordRow row;
    row.pool = pool_->name;
    row.action = RecordActionText(action_);
    row.available = available_;
    row.count = written;
    Append(connection_, std::move(row));
}

RecordedBulk::~RecordedBulk() noexcept(false) {
    const bool unwinding = std::uncaught_exceptions() > unwinding_;
    try {
        append();
    } catch (...) {
        // No change stands without its record row: the whole action goes.
        // The batch then reads its views again.
        try {
            if (connection_.inTransaction())
                connection_.execute(QStringLiteral("ROLLBACK"));
        } catch (...) {
        }
        if (!unwinding)
            throw;
    }
}

} // namespace tiravo
