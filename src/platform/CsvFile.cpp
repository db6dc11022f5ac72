#include "platform/CsvFile.h"

#include "platform/TextFile.h"

#include <array>
#include <map>

namespace tiravo {

namespace {

constexpr std::array<char16_t, 3> kSeparators = {u';', u'\t', u','};
// Enough lines to see a file's shape; reading them all would cost as much as
// the parse itself.
constexpr int kLinesLookedAt = 100;

bool IsLineEnd(QChar c) {
    return c == u'\n' || c == u'\r';
}

// The separators outside quotes on each of the first records.
std::vector<std::array<int, kSeparators.size()>> SeparatorCounts(const QString& text) {
    std::vector<std::array<int, kSeparators.size()>> records;
    std::array<int, kSeparators.size()> counts{};
    bool quoted = false;
    bool empty = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && IsLineEnd(c)) {
            if (!empty)
                records.push_back(counts);
            if (int(records.size()) == kLinesLookedAt)
                break;
            counts = {};
            empty = true;
            continue;
        } else if (!quoted) {
            for (std::size_t s = 0; s < kSeparators.size(); ++s)
                if (c == QChar(kSeparators[s]))
                    ++counts[s];
        }
        empty = false;
    }
    if (!empty && int(records.size()) < kLinesLookedAt)
        records.push_back(counts);
    return records;
}

class CsvParser {
public:
    CsvParser(const QString& text, QChar separator) : text_(text), separator_(separator) {}

    SheetRows parse() {
        while (at_ < text_.size()) {
            if (IsLineEnd(text_.at(at_))) {
                // An empty line: no row.
                skipLineEnd();
                continue;
            }
            record();
        }
        return std::move(rows_);
    }

private:
    // One record: fields up to the end of its line (or of the text).
    void record() {
        const int first = line_;
        for (;;) {
            rows_.append(field());
            if (at_ < text_.size() && isSeparator(text_.at(at_))) {
                ++at_;
                continue;
            }
            break;
        }
        rows_.endRow(first);
        skipLineEnd();
    }

    QString field() {
        qsizetype start = at_;
        while (start < text_.size() && (text_.at(start) == u' ' || text_.at(start) == u'\t') &&
               !isSeparator(text_.at(start)))
            ++start;
        if (start < text_.size() && text_.at(start) == u'"') {
            at_ = start;
            return quotedField();
        }
        return plainUntilEnd(QString());
    }

    QString quotedField() {
        const int opened = line_;
        ++at_;
        QString value;
        for (;;) {
            const qsizetype close = text_.indexOf(u'"', at_);
            if (close < 0)
                throw SheetError(QStringLiteral("a linha %1 tem aspas sem fecho").arg(opened));
            countLines(at_, close);
            value += QStringView(text_).mid(at_, close - at_);
            at_ = close + 1;
            if (at_ < text_.size() && text_.at(at_) == u'"') {
                value += u'"';
                ++at_;
                continue;
            }
            return plainUntilEnd(std::move(value));
        }
    }

    // The rest of a field up to the separator or the line's end.
    QString plainUntilEnd(QString value) {
        const qsizetype start = at_;
        while (at_ < text_.size() && !isSeparator(text_.at(at_)) && !IsLineEnd(text_.at(at_)))
            ++at_;
        value += QStringView(text_).mid(start, at_ - start);
        return value;
    }

    // A file of one column has none: every character is part of its field.
    bool isSeparator(QChar c) const { return !separator_.isNull() && c == separator_; }

    void skipLineEnd() {
        if (at_ >= text_.size())
            return;
        if (text_.at(at_) == u'\r' && at_ + 1 < text_.size() && text_.at(at_ + 1) == u'\n')
            ++at_;
        ++at_;
        ++line_;
    }

    // The lines a quoted field spans count as lines of the file.
    void countLines(qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            const QChar c = text_.at(i);
            if (c == u'\n' || (c == u'\r' && (i + 1 >= to || text_.at(i + 1) != u'\n')))
                ++line_;
        }
    }

    const QString& text_;
    const QChar separator_;
    qsizetype at_ = 0;
    int line_ = 1;
    SheetRows rows_;
};

} // namespace

QChar CsvSeparatorOf(const QString& text) {
    const auto records = SeparatorCounts(text);
    QChar best;
    int bestLines = 0;
    for (std::size_t s = 0; s < kSeparators.size(); ++s) {
        // The count most records share; records without the separator do
        // not vote.
        std::map<int, int> recordsWith;
        for (const auto& counts : records)
            if (counts[s] > 0)
                ++recordsWith[counts[s]];
        int lines = 0;
        for (const auto& [count, many] : recordsWith)
            lines = std::max(lines, many);
        // A comma in a few names of a list is no separator: most records
        // must agree.
        if (2 * qsizetype(lines) > qsizetype(records.size()) && lines > bestLines) {
            bestLines = lines;
            best = QChar(kSeparators[s]);
        }
    }
    return best;
}

SheetRows ParseCsv(const QByteArray& bytes) {
    const QString text = decodeText(bytes);
    return CsvParser(text, CsvSeparatorOf(text)).parse();
}

} // namespace tiravo
