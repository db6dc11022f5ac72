#include "draws/model/PrizePlan.h"

#include "common/Error.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizeSheet.h"
#include "draws/model/RecordActions.h"
#include "draws/model/RecordWriter.h"
#include "store/Connection.h"
#include "store/Schema.h"
#include "store/SqlStatement.h"
#include "store/WriteScope.h"

#include <algorithm>

namespace tiravo {

namespace {

bool HasPrizeTable(Connection& connection) {
    SqlStatement& find = connection.statement(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
    find.bind(1, kPrizeTable);
    const bool found = find.step();
    find.reset();
    return found;
}

// One change of a plan: the write lock, the change and its record row in one
// transaction.
class RecordedPlanChange final : private ChangeRecord {
public:
    RecordedPlanChange(Connection& connection, const PoolDescription& pool)
        : connection_(connection), pool_(pool),
          scope_(connection, WriteScope::Keeps::AllOrNothing, {}, this) {}

    // Stores the change, recorded as `what`.
    void stored(const QString& what) {
        what_ = what;
        scope_.commit();
    }

private:
    void append() override {
        RecordRow row;
        row.pool = pool_.name;
        row.action = RecordActionText(RecordAction::Prizes);
        row.entry = what_;
        AppendRecordRow(connection_, std::move(row));
    }

    Connection& connection_;
    const PoolDescription& pool_;
    QString what_;
    WriteScope scope_; // last: it begins when the rest is ready, and ends first
};

// The description as it is stored, or an error for the operator.
QString CheckedDescription(const QString& description) {
    const QString trimmed = description.trimmed();
    if (trimmed.isEmpty())
        throw Error(QStringLiteral("Informe a descrição do prêmio."));
    if (trimmed.size() > kPrizeDescriptionWidth)
        throw Error(QStringLiteral("A descrição do prêmio tem no máximo %1 caracteres.")
                        .arg(kPrizeDescriptionWidth));
    if (std::any_of(trimmed.begin(), trimmed.end(),
                    [](QChar c) { return c.category() == QChar::Other_Control; }))
        throw Error(QStringLiteral("A descrição do prêmio não pode ter caracteres de controle."));
    return trimmed;
}

void CheckQuantity(int quantity) {
    if (quantity < 1 || quantity > kMostOfOnePrize)
        throw Error(QStringLiteral("A quantidade do prêmio deve ser de 1 a 9.999."));
}

QString QuantityAndDescription(int quantity, const QString& description) {
    return QStringLiteral("%1 × %2").arg(quantity).arg(description);
}

// The prize `cod` of the plan read inside the change's transaction.
const Prize& PrizeNamed(const PrizePlan& plan, std::int64_t cod) {
    for (const Prize& prize : plan.prizes)
        if (prize.cod == cod)
            return prize;
    throw Error(QStringLiteral("Este prêmio não está mais no plano: ele foi removido em outra "
                               "cópia do programa."));
}

void SetPosition(Connection& connection, std::int64_t cod, std::int64_t position) {
    SqlStatement& update = connection.statement(
        QStringLiteral("UPDATE \"%1\" SET \"Posicao\" = ? WHERE \"Cod\" = ?").arg(kPrizeTable));
    update.bind(1, position);
    update.bind(2, cod);
    update.step();
    update.reset();
}

} // namespace

std::int64_t PrizePlan::places() const {
    return prizes.empty() ? 0 : prizes.back().lastPlace;
}

const Prize* PrizePlan::prizeOfPlace(std::int64_t place) const {
    for (const Prize& prize : prizes)
        if (place >= prize.firstPlace && place <= prize.lastPlace)
            return &prize;
    return nullptr;
}

QString PlaceText(std::int64_t place) {
    return QStringLiteral("%1º").arg(place);
}

QString PlacesText(const Prize& prize) {
    if (prize.firstPlace == prize.lastPlace)
        return PlaceText(prize.firstPlace);
    return QStringLiteral("%1 a %2").arg(PlaceText(prize.firstPlace), PlaceText(prize.lastPlace));
}

QString PlaceAndPrizeText(std::int64_t place, const Prize& prize) {
    return QStringLiteral("%1º prêmio — %2").arg(place).arg(prize.description);
}

PrizePlan ReadPrizePlan(Connection& connection, const PoolDescription& pool) {
    // A file of the version before, open for reading only, keeps its
    // schema (UpgradeSchema).
    if (!HasPrizeTable(connection))
        return {};
    SqlStatement& select = connection.statement(
        QStringLiteral("SELECT \"Cod\", \"Descricao\", \"Quantidade\" FROM \"%1\" "
                       "WHERE \"Lista\" = ? ORDER BY \"Posicao\", \"Cod\"")
            .arg(kPrizeTable));
    select.bind(1, pool.name);
    PrizePlan plan;
    int next = 1;
    while (select.step()) {
        Prize prize;
        prize.cod = std::get<std::int64_t>(select.column(0, ColumnType::Key));
        const Value description = select.column(1, ColumnType::Text);
        if (const auto* text = std::get_if<QString>(&description))
            prize.description = *text;
        const Value quantity = select.column(2, ColumnType::Integer);
        // A quantity changed by hand outside the program's bounds counts as
        // the nearest bound, so that the places stay in order.
        if (const auto* number = std::get_if<std::int64_t>(&quantity))
            prize.quantity = int(std::clamp<std::int64_t>(*number, 1, kMostOfOnePrize));
        prize.firstPlace = next;
        prize.lastPlace = next + prize.quantity - 1;
        next = prize.lastPlace + 1;
        plan.prizes.push_back(std::move(prize));
    }
    select.reset();
    return plan;
}

void AddPrize(Connection& connection, const PoolDescription& pool, const QString& description,
              int quantity) {
    const QString checked = CheckedDescription(description);
    CheckQuantity(quantity);
    RecordedPlanChange change(connection, pool);
    SqlStatement& insert = connection.statement(
        QStringLiteral("INSERT INTO \"%1\" (\"Lista\", \"Posicao\", \"Descricao\", \"Quantidade\") "
                       "SELECT ?1, coalesce(max(\"Posicao\"), 0) + 1, ?2, ?3 FROM \"%1\" "
                       "WHERE \"Lista\" = ?1")
            .arg(kPrizeTable));
    insert.bind(1, pool.name);
    insert.bind(2, checked);
    insert.bind(3, std::int64_t(quantity));
    insert.step();
    insert.reset();
    change.stored(QStringLiteral("incluído: %1").arg(QuantityAndDescription(quantity, checked)));
}

void ChangePrize(Connection& connection, const PoolDescription& pool, std::int64_t cod,
                 const QString& description, int quantity) {
    const QString checked = CheckedDescription(description);
    CheckQuantity(quantity);
    RecordedPlanChange change(connection, pool);
    const Prize before = PrizeNamed(ReadPrizePlan(connection, pool), cod);
    if (before.description == checked && before.quantity == quantity)
        return; // nothing to store, nothing to record
    SqlStatement& update = connection.statement(
        QStringLiteral("UPDATE \"%1\" SET \"Descricao\" = ?, \"Quantidade\" = ? WHERE \"Cod\" = ?")
            .arg(kPrizeTable));
    update.bind(1, checked);
    update.bind(2, std::int64_t(quantity));
    update.bind(3, cod);
    update.step();
    update.reset();
    change.stored(QStringLiteral("alterado: %1 para %2")
                      .arg(QuantityAndDescription(before.quantity, before.description),
                           QuantityAndDescription(quantity, checked)));
}

void RemovePrize(Connection& connection, const PoolDescription& pool, std::int64_t cod) {
    RecordedPlanChange change(connection, pool);
    const Prize removed = PrizeNamed(ReadPrizePlan(connection, pool), cod);
    SqlStatement& remove = connection.statement(
        QStringLiteral("DELETE FROM \"%1\" WHERE \"Cod\" = ?").arg(kPrizeTable));
    remove.bind(1, cod);
    remove.step();
    remove.reset();
    change.stored(QStringLiteral("removido: %1")
                      .arg(QuantityAndDescription(removed.quantity, removed.description)));
}

void MovePrize(Connection& connection, const PoolDescription& pool, std::int64_t cod, int offset) {
    RecordedPlanChange change(connection, pool);
    const PrizePlan plan = ReadPrizePlan(connection, pool);
    const Prize& moving = PrizeNamed(plan, cod);
    const std::ptrdiff_t from = &moving - plan.prizes.data();
    const std::ptrdiff_t to = from + (offset < 0 ? -1 : 1);
    if (to < 0 || to >= std::ptrdiff_t(plan.prizes.size()))
        return;
    // The plan's positions, numbered afresh: positions written by hand may
    // repeat, and a swap of two equal ones would move nothing.
    std::vector<std::int64_t> order;
    for (const Prize& prize : plan.prizes)
        order.push_back(prize.cod);
    std::swap(order[std::size_t(from)], order[std::size_t(to)]);
    for (std::size_t i = 0; i < order.size(); ++i)
        SetPosition(connection, order[i], std::int64_t(i) + 1);
    change.stored(QStringLiteral("movido para a %1ª posição do plano: %2")
                      .arg(to + 1)
                      .arg(moving.description));
}

void ReplacePrizePlan(Connection& connection, const PoolDescription& pool,
                      const std::vector<PlannedPrize>& prizes) {
    std::vector<PlannedPrize> checked;
    int places = 0;
    for (const PlannedPrize& prize : prizes) {
        CheckQuantity(prize.quantity);
        checked.push_back({CheckedDescription(prize.description), prize.quantity});
        places += prize.quantity;
    }
    RecordedPlanChange change(connection, pool);
    const std::size_t before = ReadPrizePlan(connection, pool).prizes.size();
    SqlStatement& remove = connection.statement(
        QStringLiteral("DELETE FROM \"%1\" WHERE \"Lista\" = ?").arg(kPrizeTable));
    remove.bind(1, pool.name);
    remove.step();
    remove.reset();
    SqlStatement& insert = connection.statement(
        QStringLiteral("INSERT INTO \"%1\" (\"Lista\", \"Posicao\", \"Descricao\", \"Quantidade\") "
                       "VALUES (?, ?, ?, ?)")
            .arg(kPrizeTable));
    for (std::size_t i = 0; i < checked.size(); ++i) {
        insert.bind(1, pool.name);
        insert.bind(2, std::int64_t(i) + 1);
        insert.bind(3, checked[i].description);
        insert.bind(4, std::int64_t(checked[i].quantity));
        insert.step();
        insert.reset();
    }
    change.stored(QStringLiteral("importado: %1 prêmios, %2 lugares (antes: %3 prêmios)")
                      .arg(checked.size())
                      .arg(places)
                      .arg(before));
}

} // namespace tiravo
