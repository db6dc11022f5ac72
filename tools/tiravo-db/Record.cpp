#include "Record.h"

#include <QTextStream>

namespace tiravo::db {

namespace {

// One row keeps to one line, whatever a typed name holds.
QString OneLine(QString text) {
    for (QChar& c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    return text;
}

QString Moved(const RecordRow& row) {
    if (row.count)
        return QStringLiteral("%1 %2").arg(*row.count).arg(*row.count == 1 ? "entry" : "entries");
    QString text = OneLine(row.entry.value_or(QString()));
    if (row.place)
        text = QStringLiteral("Sorte %1: %2").arg(*row.place).arg(text);
    return text;
}

} // namespace

void WriteRecordText(const std::vector<RecordRow>& rows, QTextStream& out) {
    if (rows.empty()) {
        out << "The record holds no rows.\n";
        return;
    }
    for (const RecordRow& row : rows)
        out << row.sequence << "  "
            << row.localMoment().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) << ' '
            << row.offset << "  "
            << (row.operatorName.isEmpty() ? QStringLiteral("-") : OneLine(row.operatorName))
            << "  " << row.pool << "  " << row.action << "  " << Moved(row) << '\n';
}

} // namespace tiravo::db
