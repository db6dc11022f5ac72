#pragma once

#include "draws/model/RecordChain.h"

#include <QString>

#include <set>
#include <vector>

namespace tiravo {

// How the minutes group one pool's rows of a day: the draws of one batch
// under one heading, the absences apart from the draws, in a list of their
// own, so that the table of draws reads as the places were given.

// One line of a pool's table: a row of its own, or the draws of one batch
// in the order they were drawn, at the place of its first draw that day.
struct MinutesItem {
    std::vector<const RecordRow*> rows;
    bool batch = false;
};

// An absence as the minutes tell it: who, from which place and prize, when
// (the row's own time and place), and why. The prize and the reason are
// empty when the record names none.
struct MinutesAbsence {
    const RecordRow* row = nullptr;
    QString who;
    QString prize;
    QString reason;
};

struct MinutesPoolDay {
    std::vector<MinutesItem> table;
    std::vector<MinutesAbsence> absences;
    // The draws of the day whose winner was later marked absent.
    std::set<const RecordRow*> absentDraws;
};

// `rows`, one pool's rows of the day in the order of the record, point into
// `all`, the whole record, where an absence finds the draw it undid (maybe
// on an earlier day).
MinutesPoolDay GroupPoolDay(const std::vector<RecordRow>& all,
                            const std::vector<const RecordRow*>& rows);

} // namespace tiravo
