// The filter texts of the views, and the rows they meet: whatever the text,
// parsing gives a filter or an Error; whatever a row holds (a text where a
// number belongs included), a filter answers or throws Error.
#include "FuzzEntry.h"

#include "common/Error.h"
#include "store/FilterExpression.h"

#include <QByteArray>

#include <cstring>
#include <vector>

namespace {

using namespace tiravo;

const std::vector<Column>& poolColumns() {
    static const std::vector<Column> columns = {
        {"Cod", ColumnType::Key, 0, false, {}},
        {"Numero", ColumnType::Integer, 0, true, "00"},
        {"Ordem", ColumnType::Text, 4, false, {}},
        {"Ok", ColumnType::Boolean, 0, false, {}},
        {"Ativo", ColumnType::Boolean, 0, false, {}},
        {"Sorte", ColumnType::SmallInt, 0, false, {}},
        {"Foto", ColumnType::Text, 200, false, {}},
    };
    return columns;
}

// Reads values of every kind from the bytes, as the file may hold them
// whatever the declared type.
class ValueReader {
public:
    ValueReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool more() const { return at_ < size_; }

    Value next() {
        switch (byte() % 4) {
        case 0:
            return {};
        case 1: {
            std::uint64_t bits = 0;
            for (int i = 0; i < 8; ++i)
                bits = bits << 8 | byte();
            return static_cast<std::int64_t>(bits);
        }
        case 2:
            return (byte() & 1) != 0;
        default: {
            const std::size_t length = std::min<std::size_t>(byte() % 16, size_ - at_);
            const QString text =
                QString::fromUtf8(reinterpret_cast<const char*>(data_ + at_), qsizetype(length));
            at_ += length;
            return text;
        }
        }
    }

private:
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

int sign(int order) {
    return (order > 0) - (order < 0);
}

void fuzzFilters(const std::uint8_t* data, std::size_t size) {
    // The filter text runs to the first line break; the rest makes rows.
    const auto* end = static_cast<const std::uint8_t*>(std::memchr(data, '\n', size));
    const std::size_t textSize = end ? std::size_t(end - data) : size;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(textSize));
    ValueReader values(data + textSize, size - textSize);

    const std::vector<Column>& columns = poolColumns();
    FilterExpression filter;
    try {
        filter = FilterExpression::Parse(text, columns);
    } catch (const Error&) {
        // Refused; the rows still meet the filter that lets every row pass.
    }
    if (text.trimmed().isEmpty())
        fuzz::require(filter.passes(std::vector<Value>(columns.size())),
                      "an empty filter lets every row pass");

    while (values.more()) {
        std::vector<Value> row;
        for (std::size_t i = 0; i < columns.size(); ++i)
            row.push_back(values.next());
        try {
            filter.passes(row);
        } catch (const Error&) {
        }
        for (std::size_t i = 0; i + 1 < row.size(); ++i)
            fuzz::require(sign(CompareValues(row[i], row[i + 1])) ==
                              -sign(CompareValues(row[i + 1], row[i])),
                          "values order the same way whichever comes first");
    }
}

} // namespace

TIRAVO_FUZZ_TARGET("filters", fuzzFilters)
