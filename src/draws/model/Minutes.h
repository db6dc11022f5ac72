#pragma once

#include <QDate>
#include <QString>

namespace tiravo {

class Connection;

// The minutes of one day of draws ("Ata do sorteio") as a PDF file: a title,
// the date, the operators, then per pool every row of that day's record in
// order (time, place, entry, the fingerprint of the entries available
// before it), and at the end the last hash of the whole record, which pins
// every row written up to the paper. A day without draws makes one page that
// says so. Needs a QGuiApplication, for the fonts. Returns the pages written;
// throws Error when the file cannot be written.
int WriteMinutesPdf(Connection& connection, const QDate& day, const QString& path);

} // namespace tiravo
