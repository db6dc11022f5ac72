#include "draws/model/MinutesGroups.h"

#include "draws/model/RecordActions.h"

#include <map>

namespace tiravo {

namespace {

const QString kPartSeparator = QStringLiteral(" — ");
const QString kReasonMark = QStringLiteral("motivo: ");

bool IsBatchDraw(const RecordRow& row) {
    return row.action == RecordActionText(RecordAction::BatchDraw) && row.count.has_value();
}

// The newest draw before `absence` that gave its entry the place the
// absence left: the winner who was not there.
const RecordRow* DrawUndone(const std::vector<RecordRow>& all, const RecordRow& absence) {
    if (!absence.item)
        return nullptr;
    for (auto i = std::ptrdiff_t(&absence - all.data()) - 1; i >= 0; --i) {
        const RecordRow& row = all[std::size_t(i)];
        if (row.pool == absence.pool && IsDrawAction(row.action) && row.item == absence.item)
            return row.place == absence.place ? &row : nullptr;
    }
    return nullptr;
}

// The record keeps an absence as one text, the entry first, then the prize
// when the pool had a plan, then the reason, joined by dashes. The entry is
// known from its draw, so that a dash in a name does not split it.
MinutesAbsence ReadAbsence(const RecordRow& row, const RecordRow* drawn) {
    MinutesAbsence absence{&row, {}, {}, {}};
    const QString text = row.entry.value_or(QString());
    QString rest;
    if (drawn && drawn->entry && text.startsWith(*drawn->entry) &&
        (text.size() == drawn->entry->size() ||
         QStringView(text).mid(drawn->entry->size()).startsWith(kPartSeparator))) {
        absence.who = *drawn->entry;
        rest = text.mid(drawn->entry->size() + kPartSeparator.size());
    } else {
        const qsizetype end = text.indexOf(kPartSeparator);
        absence.who = end < 0 ? text : text.left(end);
        rest = end < 0 ? QString() : text.mid(end + kPartSeparator.size());
    }
    if (rest.startsWith(kReasonMark)) {
        absence.reason = rest.mid(kReasonMark.size());
        return absence;
    }
    const qsizetype reason = rest.indexOf(kPartSeparator + kReasonMark);
    absence.prize = reason < 0 ? rest : rest.left(reason);
    if (reason >= 0)
        absence.reason = rest.mid(reason + kPartSeparator.size() + kReasonMark.size());
    return absence;
}

} // namespace

MinutesPoolDay GroupPoolDay(const std::vector<RecordRow>& all,
                            const std::vector<const RecordRow*>& rows) {
    MinutesPoolDay day;
    // A batch's rows name it by the sequence of its first draw.
    std::map<std::int64_t, std::size_t> batches;
    const QString absenceAction = RecordActionText(RecordAction::Absence);
    for (const RecordRow* row : rows) {
        if (row->action == absenceAction) {
            const RecordRow* drawn = DrawUndone(all, *row);
            day.absences.push_back(ReadAbsence(*row, drawn));
            if (drawn)
                day.absentDraws.insert(drawn);
            continue;
        }
        if (IsBatchDraw(*row)) {
            const auto [known, added] = batches.try_emplace(*row->count, day.table.size());
            if (!added) {
                day.table[known->second].rows.push_back(row);
                continue;
            }
            day.table.push_back({{row}, true});
            continue;
        }
        day.table.push_back({{row}, false});
    }
    return day;
}

} // namespace tiravo
