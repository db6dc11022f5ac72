#include "Record.h"

#include "draws/model/RecordActions.h"
#include "store/VisibleText.h"

#include <QTextStream>

namespace tiravo::db {

namespace {

// One row keeps to one line, and no stored text can drive the terminal.
QString Shown(const QString& text) {
    return EscapeText(text, TextEscapes::Readable);
}

QString Moved(const RecordRow& row) {
    // A draw's count is not a number of entries: it names the batch the draw
    // was one of, by the sequence number of the batch's first row.
    if (row.count && !IsDrawAction(row.action))
        return QStringLiteral("%1 %2").arg(*row.count).arg(*row.count == 1 ? "entry" : "entries");
    QString text = Shown(row.entry.value_or(QString()));
    if (row.place)
        text = QStringLiteral("Sorte %1: %2").arg(*row.place).arg(text);
    if (row.count)
        text += QStringLiteral("  (batch %1)").arg(*row.count);
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
            << Shown(row.offset) << "  "
            << (row.operatorName.isEmpty() ? QStringLiteral("-") : Shown(row.operatorName)) << "  "
            << Shown(row.pool) << "  " << Shown(row.action) << "  " << Moved(row) << '\n';
}

} // namespace tiravo::db
