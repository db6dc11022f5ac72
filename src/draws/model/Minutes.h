#pragma once

#include "platform/OutputFile.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace tiravo {

class Connection;

// The minutes of one day of draws ("Ata do sorteio") as a PDF file: a title,
// the date, the operators, then per pool every row of that day's record in
// order (time, place, entry, the fingerprint of the entries available
// before it), and at the end the last hash of the whole record, which pins
// every row written up to the paper. A day without draws makes one page that
// says so. A pool with a prize plan lists its plan above its table, which
// names each winner's prize in a last column. The draws of one batch stand
// together under one heading (its time, its pool, how many it drew); the
// absences stand apart, under their own heading after the pool's draws (who,
// from which place and prize, when, why), and the draw whose winner was absent
// says so. Each time shows its UTC offset, and a name's line breaks and
// other hidden characters are spaces. Needs a QGuiApplication, for the fonts.
// Written as every output is (WriteOutputFile): never over the database.
// Returns the pages written; throws Error, in `language`, when the file cannot be written.
int WriteMinutesPdf(Connection& connection, const QDate& day, const QString& path,
                    MessageLanguage language);

// The texts those minutes show, in the order they are laid out: one per line,
// the cells of a table row joined by "|".
QStringList MinutesTexts(Connection& connection, const QDate& day);

} // namespace tiravo
