#include "store/Dialect.h"

namespace tiravo {

namespace {

bool IsWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

qsizetype SkipQuoted(const QString& sql, qsizetype at, QChar close) {
    qsizetype i = at + 1;
    while (i < sql.size()) {
        if (sql.at(i) == close) {
            // A doubled quote stands for itself inside the quotes.
            if (close != u']' && i + 1 < sql.size() && sql.at(i + 1) == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

} // namespace

QString ToEngineSql(const QString& programSql) {
    QString out;
    out.reserve(programSql.size());
    qsizetype i = 0;
    while (i < programSql.size()) {
        const QChar c = programSql.at(i);
        if (c == u'\'' || c == u'"' || c == u'[') {
            const qsizetype end = SkipQuoted(programSql, i, c == u'[' ? QChar(u']') : c);
            out += QStringView(programSql).mid(i, end - i);
            i = end;
        } else if (IsWordCharacter(c)) {
            qsizetype end = i;
            while (end < programSql.size() && IsWordCharacter(programSql.at(end)))
                ++end;
            const QStringView word = QStringView(programSql).mid(i, end - i);
            if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                out += u'1';
            else if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                out += u'0';
            else
                out += word;
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace tiravo
