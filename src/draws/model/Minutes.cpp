#include "draws/model/Minutes.h"

#include "common/Error.h"
#include "draws/model/MinutesGroups.h"
#include "draws/model/MinutesLayout.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "draws/model/RecordActions.h"
#include "draws/model/RecordChain.h"
#include "platform/OutputFile.h"
#include "store/VisibleText.h"

#include <QBuffer>
#include <QDir>
#include <QFileDevice>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

namespace tiravo {

namespace {

constexpr int kDpi = kMinutesDpi;
constexpr int kMargin = kDpi * 2 / 3; // about 17 mm

QString DayText(const QDate& day) {
    return day.toString(QStringLiteral("dd/MM/yyyy"));
}

QString PoolTitle(const PoolDescription& pool) {
    if (&pool == &NumberPool())
        return QStringLiteral("Números");
    if (&pool == &NamePool())
        return QStringLiteral("Nomes");
    return QStringLiteral("Fotos");
}

// A name as one line of the paper: a line break or any other hidden
// character it holds is a space.
QString OnPaper(QString text) {
    for (QChar& c : text)
        if (IsHiddenCharacter(c.unicode()))
            c = u' ';
    return text;
}

// The local time of a row with the offset it was written in: after the
// clocks went back an hour, 01:00 may come after 01:59, and the offset
// shows why.
QString TimeText(const RecordRow& row) {
    const QDateTime local = row.localMoment();
    const int minutes = local.offsetFromUtc() / 60;
    return QStringLiteral("%1 %2%3:%4")
        .arg(local.toString(QStringLiteral("HH:mm:ss")),
             minutes < 0 ? QStringLiteral("-") : QStringLiteral("+"))
        .arg(std::abs(minutes) / 60, 2, 10, QChar(u'0'))
        .arg(std::abs(minutes) % 60, 2, 10, QChar(u'0'));
}

QString PlaceCell(const RecordRow& row) {
    return row.place ? PlaceText(*row.place) : QStringLiteral("—");
}

// What a row of a pool's table did. Only a row that names no entry tells a
// count of entries: a batch's draws keep the batch's number in that column.
QString WhatText(const RecordRow& row, bool absentLater) {
    if (row.count && !IsEntryAction(row.action))
        return QStringLiteral("%1: %2 %3")
            .arg(OnPaper(row.action))
            .arg(*row.count)
            .arg(*row.count == 1 ? QStringLiteral("entrada") : QStringLiteral("entradas"));
    QString entry = OnPaper(row.entry.value_or(QString()));
    // A batch's draws stand under its heading, which names them.
    if (row.action != RecordActionText(RecordAction::Draw) &&
        row.action != RecordActionText(RecordAction::BatchDraw))
        entry += QStringLiteral(" (%1)").arg(OnPaper(row.action));
    if (absentLater)
        entry += QStringLiteral(" (ausente)");
    return entry;
}

// Each pool's prize plan as the file holds it when the minutes are written.
using Plans = std::map<QString, PrizePlan>;

Plans ReadPlans(Connection& connection) {
    Plans plans;
    for (const PoolDescription* pool : Pools())
        plans[pool->name] = ReadPrizePlan(connection, *pool);
    return plans;
}

// The plan of a pool that has one: its prizes in order, with their places.
void LayPlan(MinutesLayout& layout, const PrizePlan& plan, const std::vector<int>& lefts,
             int unit) {
    layout.line(QStringLiteral("Plano de prêmios"), MinutesFont(10, true), 0, unit / 2);
    for (const Prize& prize : plan.prizes)
        layout.row({PlacesText(prize), QStringLiteral("%1 ×").arg(prize.quantity),
                    OnPaper(prize.description)},
                   lefts, MinutesFont(10), unit / 4);
}

QString PrizeText(const PrizePlan& plan, const RecordRow& row) {
    const Prize* prize = row.place ? plan.prizeOfPlace(*row.place) : nullptr;
    return prize ? OnPaper(prize->description) : QString();
}

// Where the columns of a pool's tables begin; a pool with a plan adds the
// prize's column.
const std::vector<int> kLefts = {0, kDpi * 5 / 4, kDpi * 2};
const std::vector<int> kPrizeLefts = {0, kDpi * 5 / 4, kDpi * 2, kDpi * 9 / 2};
constexpr int kUnit = kDpi / 6;

// A heading of `headingLines` lines of `font` and, under it, the first row
// of its table with the fingerprint below it: kept on one page.
void KeepHeadingWithARow(MinutesLayout& layout, const QFont& font, int headingLines = 1) {
    layout.keepWithNext(headingLines * layout.lineHeight(font) + kUnit +
                        layout.lineHeight(MinutesFont(10)) +
                        2 * layout.lineHeight(MinutesFont(7, false, true)));
}

void LayRow(MinutesLayout& layout, const RecordRow& row, const PrizePlan& plan, bool absentLater) {
    // A row and its fingerprint on one page.
    if (row.fingerprint)
        layout.keepWithNext(kUnit / 3 + layout.lineHeight(MinutesFont(10)) +
                            2 * layout.lineHeight(MinutesFont(7, false, true)));
    // Without a plan the pool's table keeps its three columns.
    if (plan.empty())
        layout.row({TimeText(row), PlaceCell(row), WhatText(row, absentLater)}, kLefts,
                   MinutesFont(10), kUnit / 3);
    else
        layout.row(
            {TimeText(row), PlaceCell(row), WhatText(row, absentLater), PrizeText(plan, row)},
            kPrizeLefts, MinutesFont(10), kUnit / 3);
    if (row.fingerprint)
        layout.line(QStringLiteral("impressão das %1 disponíveis: %2")
                        .arg(row.available.value_or(0))
                        .arg(*row.fingerprint),
                    MinutesFont(7, false, true), kLefts[2]);
}

// A batch: one heading with its time, its pool and how many it drew, its
// draws as the table shows any other, and a rule under the last.
void LayBatch(MinutesLayout& layout, const MinutesItem& batch, const QString& poolTitle,
              const PrizePlan& plan, const MinutesPoolDay& day) {
    const qsizetype draws = qsizetype(batch.rows.size());
    KeepHeadingWithARow(layout, MinutesFont(10, true));
    layout.line(QStringLiteral("Lote de %1 %2 — %3 — %4")
                    .arg(draws)
                    .arg(draws == 1 ? QStringLiteral("sorteio") : QStringLiteral("sorteios"))
                    .arg(poolTitle, TimeText(*batch.rows.front())),
                MinutesFont(10, true), 0, kUnit / 2);
    for (const RecordRow* row : batch.rows)
        LayRow(layout, *row, plan, day.absentDraws.count(row) > 0);
    // Where the batch ends, before the draws that follow it.
    layout.rule(kUnit / 4);
}

// The absences of the day, apart from the draws: the row's time and the
// place it left vacant, who, the prize and, below, the reason.
void LayAbsences(MinutesLayout& layout, const MinutesPoolDay& day) {
    const bool prizes = std::any_of(day.absences.begin(), day.absences.end(),
                                    [](const MinutesAbsence& a) { return !a.prize.isEmpty(); });
    const std::vector<int>& lefts = prizes ? kPrizeLefts : kLefts;
    KeepHeadingWithARow(layout, MinutesFont(11, true), 2);
    layout.line(QStringLiteral("Ganhadores ausentes (%1)").arg(day.absences.size()),
                MinutesFont(11, true), 0, kUnit);
    QStringList header{QStringLiteral("Hora"), QStringLiteral("Lugar"), QStringLiteral("Ganhador")};
    if (prizes)
        header << QStringLiteral("Prêmio");
    layout.row(header, lefts, MinutesFont(10, true), kUnit / 2);
    layout.rule(0);
    for (const MinutesAbsence& absence : day.absences) {
        QStringList cells{TimeText(*absence.row), PlaceCell(*absence.row), OnPaper(absence.who)};
        if (prizes)
            cells << OnPaper(absence.prize);
        layout.row(cells, lefts, MinutesFont(10), kUnit / 3);
        if (!absence.reason.isEmpty())
            layout.line(QStringLiteral("motivo: %1").arg(OnPaper(absence.reason)), MinutesFont(8),
                        kLefts[2]);
    }
}

void LayPool(MinutesLayout& layout, const PoolDescription& pool, const PrizePlan& plan,
             const MinutesPoolDay& day) {
    KeepHeadingWithARow(layout, MinutesFont(14, true), 2);
    layout.line(PoolTitle(pool), MinutesFont(14, true), 0, kUnit * 2);
    if (!plan.empty())
        LayPlan(layout, plan, kLefts, kUnit);
    if (!day.table.empty()) {
        KeepHeadingWithARow(layout, MinutesFont(10, true));
        QStringList header{QStringLiteral("Hora"), QStringLiteral("Sorte"),
                           QStringLiteral("Entrada")};
        if (!plan.empty())
            header << QStringLiteral("Prêmio");
        layout.row(header, plan.empty() ? kLefts : kPrizeLefts, MinutesFont(10, true), kUnit / 2);
        layout.rule(0);
    }
    for (const MinutesItem& item : day.table) {
        if (item.batch)
            LayBatch(layout, item, PoolTitle(pool), plan, day);
        else
            LayRow(layout, *item.rows.front(), plan, day.absentDraws.count(item.rows.front()) > 0);
    }
    if (!day.absences.empty())
        LayAbsences(layout, day);
}

void Lay(MinutesLayout& layout, const QDate& day, const std::vector<RecordRow>& all,
         const std::vector<const RecordRow*>& today, const Plans& plans) {
    const int unit = kUnit;
    layout.line(QStringLiteral("Ata do sorteio"), MinutesFont(20, true));
    layout.line(QStringLiteral("Data: %1").arg(DayText(day)), MinutesFont(12), 0, unit);
    std::set<QString> operators;
    for (const RecordRow* row : today)
        operators.insert(row->operatorName.isEmpty() ? QStringLiteral("(sem operador)")
                                                     : OnPaper(row->operatorName));
    QStringList names(operators.begin(), operators.end());
    layout.line(QStringLiteral("Operadores: %1")
                    .arg(names.isEmpty() ? QStringLiteral("nenhum") : names.join(", ")),
                MinutesFont(12));
    const bool drew = std::any_of(today.begin(), today.end(), [](const RecordRow* row) {
        return IsDrawAction(row->action) ||
               row->action == RecordActionText(RecordAction::HiddenPick);
    });
    if (!drew)
        layout.line(QStringLiteral("Não houve sorteios neste dia."), MinutesFont(12, true), 0,
                    unit * 2);
    for (const PoolDescription* pool : Pools()) {
        std::vector<const RecordRow*> rows;
        for (const RecordRow* row : today)
            if (row->pool == pool->name)
                rows.push_back(row);
        if (!rows.empty())
            LayPool(layout, *pool, plans.at(pool->name), GroupPoolDay(all, rows));
    }
    layout.rule(unit * 2);
    layout.line(all.empty()
                    ? QStringLiteral("O registro está vazio.")
                    : QStringLiteral("O registro tem %1 linhas; a última, de número %2, tem o "
                                     "hash:")
                          .arg(all.size())
                          .arg(all.back().sequence),
                MinutesFont(10), 0, unit / 2);
    if (!all.empty())
        layout.line(all.back().hash, MinutesFont(9, false, true));
    layout.finish();
}

std::vector<const RecordRow*> RowsOf(const std::vector<RecordRow>& all, const QDate& day) {
    std::vector<const RecordRow*> rows;
    for (const RecordRow& row : all)
        if (row.localMoment().date() == day)
            rows.push_back(&row);
    return rows;
}

void SetUpPages(QPdfWriter& writer, const QDate& day) {
    writer.setResolution(kDpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QStringLiteral("Ata do sorteio de %1").arg(DayText(day)));
    writer.setCreator(QStringLiteral("Tiravo"));
}

QRect WritingArea(const QPdfWriter& writer) {
    return QRect(0, 0, writer.width(), writer.height())
        .adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

} // namespace

int WriteMinutesPdf(Connection& connection, const QDate& day, const QString& path,
                    MessageLanguage language) {
    const std::vector<RecordRow> all = ReadRecord(connection);
    const std::vector<const RecordRow*> today = RowsOf(all, day);
    const Plans plans = ReadPlans(connection);
    int pages = 0;
    WriteOutputFile({path, DatabaseFileOf(connection), language}, [&](QFileDevice& file) {
        QPdfWriter writer(&file);
        SetUpPages(writer, day);
        const QRect area = WritingArea(writer);
        MinutesLayout counting(nullptr, &writer, 0, area);
        Lay(counting, day, all, today, plans);
        QPainter painter;
        if (!painter.begin(&writer))
            throw Error((language == MessageLanguage::Portuguese
                             ? QStringLiteral("Não foi possível gravar a ata em '%1'")
                             : QStringLiteral("Could not write the minutes to '%1'"))
                            .arg(QDir::toNativeSeparators(path)));
        MinutesLayout painting(&painter, &writer, counting.pages(), area);
        Lay(painting, day, all, today, plans);
        painter.end();
        pages = counting.pages();
    });
    return pages;
}

QStringList MinutesTexts(Connection& connection, const QDate& day) {
    const std::vector<RecordRow> all = ReadRecord(connection);
    QBuffer nowhere;
    nowhere.open(QIODevice::WriteOnly);
    QPdfWriter writer(&nowhere);
    SetUpPages(writer, day);
    QStringList texts;
    MinutesLayout listing(nullptr, &writer, 0, WritingArea(writer), &texts);
    Lay(listing, day, all, RowsOf(all, day), ReadPlans(connection));
    return texts;
}

} // namespace tiravo
